/* SPDX-License-Identifier: BSD-2-Clause */
/*
 * The value grammar on arbitrary text.  A failure is an unterminated
 * quote and gives no list; a list's items are never longer than the text
 * and, quoted as the writer quotes them and joined by ", ", split again
 * into the same items.
 */
#include <stddef.h>
#include <stdint.h>
#include <stdlib.h>
#include <string.h>

#include <string>
#include <vector>

#include "fuzz_store.h"

static std::vector<std::string>
take(char **list)
{
	std::vector<std::string> items;

	for (char **p = list; p != nullptr && *p != nullptr; p++) {
		items.push_back(*p);
		free(*p);
	}
	free(list);
	return items;
}

static std::string
writer_quoted(const std::string &s)
{
	std::string out = "\"";

	for (char c : s) {
		if (c == '"' || c == '\\')
			out += '\\';
		out += c;
	}
	return out + "\"";
}

static std::string
show(const std::vector<std::string> &items)
{
	std::string out;

	for (const std::string &s : items)
		out += "<" + s + ">";
	return out;
}

extern "C" int
LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
	/* The text of a value ends at its first NUL, as in a file. */
	const std::string text(reinterpret_cast<const char *>(data),
	    strnlen(reinterpret_cast<const char *>(data), size));
	bool err = true;
	char **list = cfg_split(text.c_str(), &err);
	std::vector<std::string> items = take(list);
	size_t total = 0;

	cfg_io_reset();
	if (err) {
		if (list != nullptr)
			fuzz_fail("a failed split gave a list", text);
		if (cfg_error_code() != CFG_ERR_UNTERMINATED_QUOTE)
			fuzz_fail("split failed with an unexpected code",
			    std::to_string(cfg_error_code()));
		return 0;
	}
	for (const std::string &s : items)
		total += s.size();
	if (total > text.size())
		fuzz_fail("items longer than their text", text);
	if (items.empty())
		return 0;

	std::string joined;
	for (const std::string &s : items)
		joined += (joined.empty() ? "" : ", ") + writer_quoted(s);
	std::vector<std::string> again = take(cfg_split(joined.c_str(), &err));
	cfg_io_reset();
	if (err || again != items)
		fuzz_fail("quoted items split differently",
		    show(items) + "\n" + joined + "\n" + show(again));
	return 0;
}

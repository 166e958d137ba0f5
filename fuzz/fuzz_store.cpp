/* SPDX-License-Identifier: BSD-2-Clause */
#include <stdio.h>
#include <stdlib.h>
#include <string.h>

#include <set>

#include "fuzz_store.h"

static char *default_list[] = { const_cast<char *>("x"),
	const_cast<char *>("y z"), nullptr };

const cfg_vardef fuzz_defs[FUZZ_NDEFS] = {
	{ "list", CFG_STRINGS, 1, { .list = default_list } },
	{ "str", CFG_STRING, 0, { .str = const_cast<char *>("dflt") } },
	{ "bool", CFG_BOOLEAN, 3, { .boolean = true } },
	{ "int", CFG_INTEGER, 2, { .integer = 7 } },
	{ "none", 9, 4, { .integer = 0 } },
	{ "empty", CFG_STRINGS, 5, { .list = nullptr } },
};

void
fuzz_fail(const char *what, const std::string &detail)
{
	fprintf(stderr, "%s\n%s\n", what, detail.c_str());
	abort();
}

static std::string
quote(const char *s)
{
	std::string out = "\"";

	for (; *s != '\0'; s++) {
		unsigned char c = static_cast<unsigned char>(*s);
		char hex[8];

		if (c < 0x20 || c >= 0x7f || c == '"' || c == '\\') {
			snprintf(hex, sizeof(hex), "\\x%02x", c);
			out += hex;
		} else
			out += static_cast<char>(c);
	}
	return out + "\"";
}

std::string
fuzz_dump(const cfg_section *list)
{
	std::string out;

	for (const cfg_section *s = list; s != nullptr; s = s->next) {
		out += s->name != nullptr ? quote(s->name) : "(global)";
		out += " {";
		for (int i = 0; i < s->nvars; i++) {
			const cfg_var *v = &s->vars[i];

			out += std::string(" ") + (v->name ? v->name : "?") + "=";
			switch (v->type) {
			case CFG_STRING:
				out += v->val.str ? quote(v->val.str) : "null";
				break;
			case CFG_STRINGS:
				out += "[";
				for (char **p = v->val.list; p && *p; p++)
					out += quote(*p) + ",";
				out += "]";
				break;
			case CFG_INTEGER:
				out += std::to_string(v->val.integer);
				break;
			case CFG_BOOLEAN:
				out += v->val.boolean ? "true" : "false";
				break;
			default:
				out += "-";
				break;
			}
		}
		out += " }\n";
	}
	return out;
}

void
fuzz_check_list(const cfg_section *list, const cfg_vardef *defs, int n)
{
	std::set<std::string> names;

	if (list == nullptr)
		fuzz_fail("a successful read gave no section", "");
	for (const cfg_section *s = list; s != nullptr; s = s->next) {
		if (s->nvars != n || (n > 0 && s->vars == nullptr))
			fuzz_fail("section has the wrong number of slots", "");
		if (s->name == nullptr && s != list)
			fuzz_fail("global section after the first", fuzz_dump(list));
		if (s->name != nullptr && !names.insert(s->name).second)
			fuzz_fail("duplicate section name", fuzz_dump(list));
		for (int i = 0; i < n; i++) {
			const cfg_var *v = &s->vars[defs[i].index];

			if (v->name != defs[i].name || v->type != defs[i].type)
				fuzz_fail("slot lost its name or type", fuzz_dump(list));
			if (v->type == CFG_STRING && v->val.str == nullptr &&
			    defs[i].defval.str != nullptr)
				fuzz_fail("string slot lost its string", fuzz_dump(list));
			if (v->type == CFG_BOOLEAN && v->val.boolean != true &&
			    v->val.boolean != false)
				fuzz_fail("boolean is neither true nor false", "");
		}
	}
}

void
fuzz_check_failure(void)
{
	const char *text;

	switch (cfg_error_code()) {
	case CFG_ERR_DUP_SECTION:
	case CFG_ERR_UNTERMINATED_QUOTE:
	case CFG_ERR_MISSING_EQUAL:
	case CFG_ERR_MISSING_VALUE:
	case CFG_ERR_UNKNOWN_VAR:
		break;
	default:
		fuzz_fail("unexpected error code", std::to_string(cfg_error_code()));
	}
	text = cfg_errstr();
	if (text[0] == '\0' || strlen(text) > 2046)
		fuzz_fail("bad error message", text);
}

void
fuzz_check_at_rest(void)
{
	if (cfg_io.fp != nullptr || cfg_io.line_buf != nullptr ||
	    cfg_io.tok_text != nullptr || cfg_io.buf_len != 0 ||
	    cfg_io.buf_pos != 0 || cfg_io.read_total != 0 ||
	    cfg_io.line_no != 0)
		fuzz_fail("reader state not reset", "");
}

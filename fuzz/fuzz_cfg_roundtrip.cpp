/* SPDX-License-Identifier: BSD-2-Clause */
/*
 * Round trip: a definition table, sections and values derived from the
 * input are written with cfg_write and read back with cfg_read; every
 * value must come back equal.  A string slot with no string reads back as
 * its default, since the writer leaves it out; so a global section none of
 * whose slots gives a line leaves nothing to read and, before a named
 * section, does not come back at all.
 *
 * The file format has no escape for a newline (a line ends at the first
 * one), and a section name reads back only from a line that the reader
 * takes for a header of that name.  The byte after the recipe chooses:
 * with its low bit clear (also when the input has ended) strings and
 * section names keep only what the format can hold (no newline; a name
 * without ':' that begins with neither white space nor '#', not empty),
 * and every write must read back; with it set they keep every byte but
 * NUL, which a C string cannot hold, and the writer must refuse a list
 * that would not read back and leave the file as it was.  Variable names
 * come from the program's table, not from its users: they hold no blank,
 * tab, '=' or ':' and do not begin with '#'.  Names are distinct.
 */
#include <ctype.h>
#include <dirent.h>
#include <stddef.h>
#include <stdint.h>
#include <stdio.h>
#include <stdlib.h>
#include <string.h>

#include <set>
#include <string>
#include <vector>

#include "fuzz_home.h"
#include "fuzz_store.h"

namespace {

/* Takes bytes from the front of the input; zeros once it is used up. */
struct Input {
	const uint8_t	*p;
	size_t		 left;

	uint8_t
	byte()
	{
		if (left == 0)
			return 0;
		left--;
		return *p++;
	}

	std::string
	text(size_t max, bool (*allowed)(unsigned char, size_t))
	{
		size_t len = byte() % (max + 1);
		std::string s;

		for (size_t i = 0; i < len && left > 0; i++) {
			unsigned char c = byte();

			if (allowed(c, s.size()))
				s += static_cast<char>(c);
		}
		return s;
	}
};

constexpr int MAX_VARS = 8;
constexpr int MAX_SECTIONS = 4;

bool
any_char(unsigned char c, size_t)
{
	return c != '\0';
}

bool
value_char(unsigned char c, size_t)
{
	return c != '\n';
}

bool
section_char(unsigned char c, size_t at)
{
	if (c == '\n' || c == ':')
		return false;
	return at > 0 || ((c >= 0x80 || !isspace(c)) && c != '#');
}

/* The bytes of text that allowed keeps, position by kept position. */
std::string
only(const std::string &text, bool (*allowed)(unsigned char, size_t))
{
	std::string s;

	for (char c : text)
		if (allowed(static_cast<unsigned char>(c), s.size()))
			s += c;
	return s;
}

bool
var_char(unsigned char c, size_t at)
{
	if (c <= ' ' || c == '=' || c == ':' || c == 0x7f)
		return false;
	return at > 0 || c != '#';
}


struct Slot {
	bool				 null_str;
	std::string			 str;
	std::vector<std::string>	 list;
	int32_t				 integer;
	bool				 boolean;
};

struct Plan {
	int				 n;
	cfg_vardef			 defs[MAX_VARS];
	std::string			 names[MAX_VARS];
	bool				 global_first;
	std::vector<std::string>	 sections;
	std::vector<std::vector<Slot>>	 values;	/* [section][slot] */
};

const int types[] = { CFG_STRING, CFG_STRINGS, CFG_INTEGER, CFG_BOOLEAN, 0 };
char dflt[] = "d";

void
make_table(Input &in, Plan &plan)
{
	std::set<std::string> seen;
	int order[MAX_VARS];

	plan.n = 1 + in.byte() % MAX_VARS;
	for (int i = 0; i < plan.n; i++)
		order[i] = i;
	/* Slot order differs from table order. */
	for (int i = plan.n - 1; i > 0; i--)
		std::swap(order[i], order[in.byte() % (i + 1)]);
	for (int i = 0; i < plan.n; i++) {
		std::string name = in.text(8, var_char);

		if (name.empty() || seen.count(name))
			name = "v" + std::to_string(i);
		while (seen.count(name))
			name += "_";
		seen.insert(name);
		plan.names[i] = name;
		plan.defs[i].name = plan.names[i].c_str();
		plan.defs[i].type = types[in.byte() % 5];
		plan.defs[i].index = order[i];
		plan.defs[i].defval.integer = 0;
		if (plan.defs[i].type == CFG_STRING)
			plan.defs[i].defval.str = i % 2 ? nullptr : dflt;
		else if (plan.defs[i].type == CFG_STRINGS)
			plan.defs[i].defval.list = nullptr;
	}
}

void
make_sections(Input &in, Plan &plan)
{
	int count = 1 + in.byte() % MAX_SECTIONS;

	plan.global_first = in.byte() % 2;
	for (int k = 0; k < count; k++) {
		std::string name;

		if (k > 0 || !plan.global_first)
			name = in.text(12, any_char);
		plan.sections.push_back(name);
		std::vector<Slot> slots(static_cast<size_t>(plan.n));
		for (Slot &v : slots) {
			uint8_t b = in.byte();

			v.null_str = b % 7 == 0;
			v.str = in.text(40, any_char);
			for (int j = b % 4; j > 0; j--)
				v.list.push_back(in.text(16, any_char));
			v.integer = static_cast<int32_t>(static_cast<uint32_t>(
			    in.byte()) << 24 | static_cast<uint32_t>(in.byte()) << 16 |
			    static_cast<uint32_t>(in.byte()) << 8 | in.byte());
			v.boolean = b & 0x10;
		}
		plan.values.push_back(slots);
	}
}

/*
 * Keeps strings and names to what the format holds unless any is true;
 * makes section names distinct.
 */
void
settle(Plan &plan, bool any)
{
	std::set<std::string> seen;

	for (size_t k = 0; k < plan.sections.size(); k++) {
		std::string &name = plan.sections[k];

		if (!any)
			for (Slot &v : plan.values[k]) {
				v.str = only(v.str, value_char);
				for (std::string &item : v.list)
					item = only(item, value_char);
			}
		if (k == 0 && plan.global_first)
			continue;
		if (!any) {
			name = only(name, section_char);
			if (name.empty() || seen.count(name))
				name = "s" + std::to_string(k);
		}
		while (seen.count(name))
			name += "_";
		seen.insert(name);
	}
}

void
fill(cfg_section *s, const Plan &plan, const std::vector<Slot> &slots,
    bool as_read)
{
	for (int i = 0; i < plan.n; i++) {
		const cfg_vardef *d = &plan.defs[i];
		const Slot &v = slots[static_cast<size_t>(i)];
		cfg_var *slot = &s->vars[d->index];
		std::vector<char *> items;
		cfg_value val;

		switch (d->type) {
		case CFG_STRING:
			if (v.null_str) {
				/* Left out by the writer: the default comes back. */
				free(slot->val.str);
				slot->val.str = as_read && d->defval.str ?
				    strdup(d->defval.str) : nullptr;
				continue;
			}
			val.str = const_cast<char *>(v.str.c_str());
			break;
		case CFG_STRINGS:
			for (const std::string &item : v.list)
				items.push_back(const_cast<char *>(item.c_str()));
			items.push_back(nullptr);
			val.list = items.data();
			break;
		case CFG_INTEGER:
			val.integer = v.integer;
			break;
		case CFG_BOOLEAN:
			val.boolean = v.boolean;
			break;
		default:
			continue;
		}
		if (cfg_set_value(s, d->index, val) != 0)
			fuzz_fail("cfg_set_value failed", cfg_errstr());
	}
}

/* True when the writer gives no line for any slot of the section. */
bool
writes_nothing(const Plan &plan, const std::vector<Slot> &slots)
{
	for (int i = 0; i < plan.n; i++) {
		int type = plan.defs[i].type;

		if (type == CFG_STRINGS || type == CFG_INTEGER ||
		    type == CFG_BOOLEAN)
			return false;
		if (type == CFG_STRING && !slots[static_cast<size_t>(i)].null_str)
			return false;
	}
	return true;
}

cfg_section *
build(const Plan &plan, bool as_read)
{
	cfg_section *list = nullptr;

	for (size_t k = 0; k < plan.sections.size(); k++) {
		if (as_read && k == 0 && plan.global_first &&
		    plan.sections.size() > 1 && writes_nothing(plan, plan.values[0]))
			continue;
		const char *name = k == 0 && plan.global_first ? nullptr :
		    plan.sections[k].c_str();
		cfg_section *s = list == nullptr ?
		    cfg_new(name, plan.defs, plan.n) :
		    cfg_add_section(list, name, plan.defs, plan.n);

		if (s == nullptr)
			fuzz_fail("cannot build the sections", cfg_errstr());
		if (list == nullptr)
			list = s;
		fill(s, plan, plan.values[k], as_read);
	}
	return list;
}

/* Whether the name written as a header reads back as that header's name. */
bool
header_reads_back(const std::string &name)
{
	return name.find_first_of(":\n") == std::string::npos &&
	    cfg_is_header((name + ":").c_str());
}

/* Whether every value and section name can be written so as to read back. */
bool
writable(const Plan &plan)
{
	for (size_t k = 0; k < plan.sections.size(); k++) {
		if (!(k == 0 && plan.global_first) &&
		    !header_reads_back(plan.sections[k]))
			return false;
		for (int i = 0; i < plan.n; i++) {
			const Slot &v = plan.values[k][static_cast<size_t>(i)];

			switch (plan.defs[i].type) {
			case CFG_STRING:
				if (!v.null_str &&
				    v.str.find('\n') != std::string::npos)
					return false;
				break;
			case CFG_STRINGS:
				for (const std::string &item : v.list)
					if (item.find('\n') != std::string::npos)
						return false;
				break;
			}
		}
	}
	return true;
}

std::string
file_state(const std::string &dir)
{
	std::string state;

	if (DIR *d = opendir(dir.c_str())) {
		while (struct dirent *e = readdir(d))
			state += std::string(e->d_name) + "\n";
		closedir(d);
	}
	if (FILE *fp = fopen((dir + "/cfg").c_str(), "r")) {
		char buf[4096];
		size_t got;

		while ((got = fread(buf, 1, sizeof(buf), fp)) > 0)
			state.append(buf, got);
		fclose(fp);
	}
	return state;
}

/* A refused write leaves the file and its directory as they were. */
void
expect_refusal(const cfg_section *list, const std::string &dir)
{
	std::string before = file_state(dir);

	if (cfg_write("w", "cfg", list) != -1)
		fuzz_fail("cfg_write took what does not read back", fuzz_dump(list));
	if (cfg_error_code() != CFG_ERR_UNWRITABLE || cfg_errstr()[0] == '\0')
		fuzz_fail("refusal without its error", cfg_errstr());
	fuzz_check_at_rest();
	if (file_state(dir) != before)
		fuzz_fail("a refused write changed the file", fuzz_dump(list));
}

} /* namespace */

extern "C" int
LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
	Input in = { data, size };
	Plan plan;
	const std::string dir = fuzz_home("w") + "/.config/Qor/w";

	make_table(in, plan);
	make_sections(in, plan);
	settle(plan, in.byte() & 1);

	cfg_section *list = build(plan, false);
	if (!writable(plan)) {
		expect_refusal(list, dir);
		cfg_free(list);
		return 0;
	}
	cfg_section *want = build(plan, true);
	if (cfg_write("w", "cfg", list) != 0)
		fuzz_fail("cfg_write failed", cfg_errstr());
	fuzz_check_at_rest();
	cfg_section *got = cfg_read("w", "cfg", plan.defs, plan.n);
	fuzz_check_at_rest();
	if (got == nullptr)
		fuzz_fail("written file does not read", cfg_errstr());
	fuzz_check_list(got, plan.defs, plan.n);
	if (fuzz_dump(got) != fuzz_dump(want))
		fuzz_fail("values read back differ",
		    fuzz_dump(want) + "----\n" + fuzz_dump(got));
	cfg_free(got);
	cfg_free(want);
	cfg_free(list);
	return 0;
}

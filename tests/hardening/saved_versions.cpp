/* SPDX-License-Identifier: BSD-2-Clause */
#include "saved_versions.h"

const cfg_vardef saved_defs[SAVED_NVARS] = {
	{ "autoshutdown", CFG_BOOLEAN, 0, { .boolean = false } },
	{ "suspend", CFG_BOOLEAN, 4, { .boolean = true } },
	{ "shutdown_cap", CFG_INTEGER, 1, { .integer = 5 } },
	{ "shutdown_cmd", CFG_STRING, 2,
	  { .str = const_cast<char *>("shutdown -p now") } },
	{ "suspend_cmd", CFG_STRING, 3,
	  { .str = const_cast<char *>("sudo acpiconf -s 3") } },
	{ "use_icon_theme", CFG_BOOLEAN, 5, { .boolean = true } },
	{ "poll_interval", CFG_INTEGER, 6, { .integer = 5 } },
};

cfg_section *
saved_version(int which)
{
	cfg_section *s = cfg_new(nullptr, saved_defs, SAVED_NVARS);
	const std::string cmd = which == 0 ? "zzz" :
	    "logger \"" + std::string(9000, 'b') + "\" && zzz";
	cfg_value v;

	if (s == nullptr)
		return nullptr;
	v.boolean = which == 1;
	cfg_set_value(s, 0, v);
	v.integer = which == 0 ? 3 : 12;
	cfg_set_value(s, 1, v);
	v.str = const_cast<char *>(cmd.c_str());
	cfg_set_value(s, 3, v);
	v.integer = which == 0 ? 2 : 30;
	cfg_set_value(s, 6, v);
	return s;
}

std::string
saved_dump(const cfg_section *s)
{
	std::string out;

	for (; s != nullptr; s = s->next)
		for (int i = 0; i < s->nvars; i++) {
			const cfg_var *v = &s->vars[i];

			out += std::string(v->name) + "=";
			if (v->type == CFG_STRING)
				out += v->val.str ? v->val.str : "(null)";
			else if (v->type == CFG_INTEGER)
				out += std::to_string(v->val.integer);
			else
				out += v->val.boolean ? "true" : "false";
			out += "\n";
		}
	return out;
}

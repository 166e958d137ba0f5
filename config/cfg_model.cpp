/* SPDX-License-Identifier: BSD-2-Clause */
/*
 * The configuration model: sections of typed variable slots built from a
 * caller's definition table.  Strings and lists in slots are always heap
 * copies owned by the section; slot names are borrowed from the table.
 */
#include <stdlib.h>
#include <string.h>

#include "cfg_internal.h"

static_assert(sizeof(cfg_value) == sizeof(void *),
    "a value is one pointer wide");

static void
free_list(char **list)
{
	if (list == nullptr)
		return;
	for (char **p = list; *p != nullptr; p++)
		free(*p);
	free(list);
}

char **
add_string(char ***list, const char *s)
{
	char **arr = *list;
	size_t k = 0;

	if (arr != nullptr)
		while (arr[k] != nullptr)
			k++;
	/* Exactly one more entry and the terminator: no spare room. */
	arr = static_cast<char **>(cfg_sys.realloc(arr, (k + 2) * sizeof(*arr)));
	if (arr == nullptr) {
		cfg_set_error(CFG_ERR_FATAL, "add_string()");
		free_list(*list);
		*list = nullptr;
		return nullptr;
	}
	*list = arr;
	arr[k] = nullptr;
	if ((arr[k] = cfg_sys.strdup(s)) == nullptr) {
		cfg_set_error(CFG_ERR_FATAL, "add_string()");
		free_list(arr);
		*list = nullptr;
		return nullptr;
	}
	arr[k + 1] = nullptr;
	return arr;
}

/* A deep copy of list into *out, which must be empty; none stays none. */
static int
copy_list(char ***out, char *const *list)
{
	if (list == nullptr)
		return 0;
	for (; *list != nullptr; list++)
		if (add_string(out, *list) == nullptr)
			return -1;
	return 0;
}

int
cfg_copy_defaults(cfg_var *vars, const cfg_vardef *defs, int n)
{
	for (int i = 0; i < n; i++) {
		const cfg_vardef *d = &defs[i];
		cfg_var *v = &vars[d->index];

		v->name = d->name;
		v->type = d->type;
		switch (d->type) {
		case CFG_STRING:
			v->val.str = nullptr;
			if (d->defval.str == nullptr)
				break;
			if ((v->val.str = cfg_sys.strdup(d->defval.str)) ==
			    nullptr) {
				cfg_set_error(CFG_ERR_FATAL, "strdup()");
				return -1;
			}
			break;
		case CFG_STRINGS:
			if (copy_list(&v->val.list, d->defval.list) != 0)
				return -1;
			break;
		default:
			v->val = d->defval;
			break;
		}
	}
	return 0;
}

cfg_section *
cfg_new(const char *name, const cfg_vardef *defs, int n)
{
	cfg_section *s;

	s = static_cast<cfg_section *>(cfg_sys.calloc(1, sizeof(*s)));
	if (s == nullptr) {
		cfg_set_error(CFG_ERR_FATAL, "calloc()");
		return nullptr;
	}
	s->nvars = n;
	if (n > 0) {
		s->vars = static_cast<cfg_var *>(
		    cfg_sys.calloc(static_cast<size_t>(n), sizeof(cfg_var)));
		if (s->vars == nullptr) {
			cfg_set_error(CFG_ERR_FATAL, "calloc()");
			free(s);
			return nullptr;
		}
	}
	if (name != nullptr && (s->name = cfg_sys.strdup(name)) == nullptr) {
		cfg_set_error(CFG_ERR_FATAL, "strdup()");
		cfg_free_section(s);
		return nullptr;
	}
	if (cfg_copy_defaults(s->vars, defs, n) != 0) {
		cfg_free_section(s);
		return nullptr;
	}
	return s;
}

void
cfg_free_section(cfg_section *s)
{
	if (s == nullptr)
		return;
	free(s->name);
	for (int i = 0; s->vars != nullptr && i < s->nvars; i++) {
		cfg_var *v = &s->vars[i];

		if (v->type == CFG_STRING)
			free(v->val.str);
		else if (v->type == CFG_STRINGS)
			free_list(v->val.list);
	}
	free(s->vars);
	free(s);
}

void
cfg_free(cfg_section *s)
{
	while (s != nullptr) {
		cfg_section *next = s->next;

		cfg_free_section(s);
		s = next;
	}
}

cfg_section *
cfg_find_section(cfg_section *list, const char *name)
{
	for (cfg_section *s = list; s != nullptr; s = s->next) {
		if (name == nullptr ? s->name == nullptr :
		    s->name != nullptr && strcmp(s->name, name) == 0)
			return s;
	}
	return nullptr;
}

cfg_section *
cfg_add_section(cfg_section *list, const char *name, const cfg_vardef *defs,
    int n)
{
	cfg_section *s, *last;

	if (cfg_find_section(list, name) != nullptr) {
		if (name != nullptr)
			cfg_set_error(CFG_ERR_DUP_SECTION, "Section '%s'", name);
		else
			cfg_set_error(CFG_ERR_DUP_SECTION, "Global section%s",
			    "");
		return nullptr;
	}
	/* The first section of a list comes from cfg_new or cfg_read. */
	if (list == nullptr)
		return nullptr;
	if ((s = cfg_new(name, defs, n)) == nullptr)
		return nullptr;
	for (last = list; last->next != nullptr; last = last->next)
		;
	last->next = s;
	return s;
}

void
cfg_remove_section(cfg_section **list, const char *name)
{
	cfg_section **link;

	if (name == nullptr) {
		/* Only a global section that stands first is removed. */
		cfg_section *first = *list;

		if (first != nullptr && first->name == nullptr) {
			*list = first->next;
			cfg_free_section(first);
		}
		return;
	}
	for (link = list; *link != nullptr; link = &(*link)->next) {
		cfg_section *s = *link;

		if (s->name != nullptr && strcmp(s->name, name) == 0) {
			*link = s->next;
			cfg_free_section(s);
			return;
		}
	}
}

int
cfg_set_value(cfg_section *s, int index, cfg_value v)
{
	cfg_var *slot = &s->vars[index];
	char *str;
	char **list = nullptr;

	/*
	 * The new value is copied before the old one is freed, so a caller
	 * may hand in the slot's own string or list.
	 */
	switch (slot->type) {
	case CFG_STRING:
		str = cfg_sys.strdup(v.str);
		free(slot->val.str);
		slot->val.str = str;
		if (str == nullptr) {
			cfg_set_error(CFG_ERR_FATAL, "strdup()");
			return -1;
		}
		break;
	case CFG_STRINGS: {
		int rv = copy_list(&list, v.list);

		free_list(slot->val.list);
		slot->val.list = list;
		if (rv != 0)
			return -1;
		break;
	}
	case CFG_INTEGER:
		slot->val.integer = v.integer;
		break;
	case CFG_BOOLEAN:
		slot->val.boolean = v.boolean ? 1 : 0;
		break;
	default:
		break;
	}
	return 0;
}

/* SPDX-License-Identifier: BSD-2-Clause */
/*
 * The configuration store: typed variables in sections, read from and
 * written to a per-user text file of assignment lines under section
 * headers.  Plain functions over plain records; usable from C and C++.
 *
 * Every function reports failure by its result alone (a null pointer or
 * -1) and leaves the details in one static error record that cfg_errstr()
 * and cfg_perror() turn into a message.  Not thread-safe.
 */
#ifndef AMPELWICK_CFG_H
#define AMPELWICK_CFG_H

#include <stdbool.h>
#include <stdint.h>

#ifdef __cplusplus
extern "C" {
#endif

/* Value types. Any other code marks a slot that carries no value. */
#define CFG_STRING	1
#define CFG_STRINGS	2
#define CFG_INTEGER	3
#define CFG_BOOLEAN	4

/* Error codes. 0x101 to 0x105 are the syntax errors. */
#define CFG_ERR_NONE			(-1)
#define CFG_ERR_PATH_TOO_LONG		6
#define CFG_ERR_FATAL			7
#define CFG_ERR_DUP_SECTION		8
#define CFG_ERR_UNWRITABLE		9	/* would not read back the same */
#define CFG_ERR_NOT_REGULAR		10	/* the file is a FIFO, a device... */
#define CFG_ERR_INCOMPLETE_ESCAPE	0x101
#define CFG_ERR_UNTERMINATED_QUOTE	0x102
#define CFG_ERR_MISSING_EQUAL		0x103
#define CFG_ERR_MISSING_VALUE		0x104
#define CFG_ERR_UNKNOWN_VAR		0x105

typedef union cfg_value {
	char	 *str;		/* CFG_STRING: heap string or NULL */
	char	**list;		/* CFG_STRINGS: NULL-terminated heap array or NULL */
	int32_t	  integer;	/* CFG_INTEGER */
	bool	  boolean;	/* CFG_BOOLEAN */
} cfg_value;

/* One row of a caller-owned definition table; never changed or freed. */
typedef struct cfg_vardef {
	const char	*name;
	int		 type;
	int		 index;	/* slot in every section's vars array */
	cfg_value	 defval;
} cfg_vardef;

/* One variable slot; name is borrowed from the definition table. */
typedef struct cfg_var {
	const char	*name;
	int		 type;
	cfg_value	 val;
} cfg_var;

typedef struct cfg_section {
	int			 nvars;
	char			*name;	/* NULL for the global section */
	cfg_var			*vars;
	struct cfg_section	*next;
} cfg_section;

/* Sections. */
cfg_section	*cfg_new(const char *name, const cfg_vardef *defs, int n);
void		 cfg_free(cfg_section *s);
void		 cfg_free_section(cfg_section *s);
cfg_section	*cfg_find_section(cfg_section *list, const char *name);
cfg_section	*cfg_add_section(cfg_section *list, const char *name,
		    const cfg_vardef *defs, int n);
void		 cfg_remove_section(cfg_section **list, const char *name);
int		 cfg_set_value(cfg_section *s, int index, cfg_value v);
char		**add_string(char ***list, const char *s);

/*
 * Files: name and file give ~/.config/Qor/<name>/<file>; a file that
 * begins with '/' is taken as it stands.  cfg_read reads any regular file
 * of at most CFG_FILE_MAX bytes it may read, wherever it is: whether a
 * place can be trusted is the caller's decision.  cfg_write refuses a list
 * that would not read back the same (a newline in a string or a list item;
 * a section name that is empty, holds ':' or a newline, or begins with
 * white space or '#') and leaves the file as it was.
 */
#define CFG_FILE_MAX	(16 * 1024 * 1024)
/* The path that name and file give, valid until the next call; none on failure. */
char		*cfg_path(const char *name, const char *file);
cfg_section	*cfg_read(const char *name, const char *file,
		    const cfg_vardef *defs, int n);
int		 cfg_write(const char *name, const char *file,
		    const cfg_section *list);

/* The value grammar applied to a string held in memory. */
char		**cfg_split(const char *text, bool *err);

/* Errors. */
const char	*cfg_errstr(void);
void		 cfg_perror(void);

#ifdef __cplusplus
}
#endif

#endif /* AMPELWICK_CFG_H */

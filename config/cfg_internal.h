/* SPDX-License-Identifier: BSD-2-Clause */
/*
 * Internals of the configuration store, shared by its source files and its
 * tests.  Not part of the public interface: programs include cfg.h only.
 */
#ifndef AMPELWICK_CFG_INTERNAL_H
#define AMPELWICK_CFG_INTERNAL_H

#include <sys/stat.h>

#include <stddef.h>
#include <stdio.h>

#include "cfg.h"

#ifdef __cplusplus
extern "C" {
#endif

/* Size of the path buffer: 767 characters and the terminating null byte. */
#define CFG_PATH_SIZE	768
/* The line buffer starts at this size and grows in steps of it. */
#define CFG_LINE_STEP	2048
/* The directories below the home directory that hold every store. */
#define CFG_DIR		".config/Qor"

/*
 * The state of the one read (or write) under way.  The reader, the value
 * tokenizer, the writer and the error record all share it; at rest every
 * pointer is null and every count is 0.
 */
struct cfg_io {
	FILE	*fp;		/* the configuration file */
	char	*line_buf;	/* bytes read but not yet consumed */
	size_t	 buf_size;	/* allocated size of line_buf */
	size_t	 buf_len;	/* bytes held in line_buf */
	size_t	 buf_pos;	/* where the next line starts */
	size_t	 read_total;	/* bytes read from fp, at most CFG_FILE_MAX */
	int	 line_no;	/* lines handed out since the read began */
	char	*tok_text;	/* the tokenizer's copy of the value text */
	char	*tok_next;	/* where the tokenizer's next item starts */
	char	 path[CFG_PATH_SIZE];	/* the file named by the last cfg_path */
};
extern struct cfg_io cfg_io;

/*
 * Every allocation and every call that writes, syncs or renames goes
 * through this table, so a test can make any of them fail.  It points at
 * the C library unless a test has replaced an entry; cfg_sys_reset()
 * restores it.  Memory from these allocators is released with free().
 */
struct cfg_sys {
	void	*(*malloc)(size_t);
	void	*(*calloc)(size_t, size_t);
	void	*(*realloc)(void *, size_t);
	char	*(*strdup)(const char *);
	size_t	 (*fwrite)(const void *, size_t, size_t, FILE *);
	int	 (*fflush)(FILE *);
	int	 (*fsync)(int);
	int	 (*fclose)(FILE *);
	int	 (*rename)(const char *, const char *);
	int	 (*mkstemp)(char *);
	FILE	*(*fdopen)(int, const char *);
};
extern struct cfg_sys cfg_sys;
void	 cfg_sys_reset(void);

/* Error record. */
void	 cfg_set_error(int code, const char *fmt, ...)
#if defined(__GNUC__)
	    __attribute__((format(printf, 2, 3)))
#endif
	    ;
void	 cfg_clear_error(void);
int	 cfg_error_code(void);

/* Model. */
int	 cfg_copy_defaults(cfg_var *vars, const cfg_vardef *defs, int n);

/* Reader. */
void	 cfg_io_reset(void);
char	*cfg_read_line(void);
bool	 cfg_is_header(const char *line);
int	 cfg_parse_var(char *line, const cfg_vardef *defs, int n,
	    cfg_var *vars);

/* Value tokenizer. */
char	*cfg_next_token(const char *text, bool *err);

/* Paths. */
char	*cfg_mkdir(const char *name);

#ifdef __cplusplus
}
#endif

#endif /* AMPELWICK_CFG_INTERNAL_H */

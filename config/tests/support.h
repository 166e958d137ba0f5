/* SPDX-License-Identifier: BSD-2-Clause */
/*
 * Shared helpers of the configuration store's tests: a temporary home
 * directory, file helpers, fault injection through the store's system-call
 * table, and running a check as an unprivileged user.
 */
#ifndef AMPELWICK_CFG_TEST_SUPPORT_H
#define AMPELWICK_CFG_TEST_SUPPORT_H

#include <sys/types.h>

#include <functional>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "cfg_internal.h"

/* The program's settings table: table order is not slot order. */
extern const cfg_vardef settings_defs[7];

/* A small table of every type, slots in table order. */
enum { V_STR, V_LIST, V_INT, V_BOOL, V_COUNT };
extern const cfg_vardef mixed_defs[V_COUNT];

/* Sections of mixed_defs as "name{str [list] int bool}", '-' for global. */
std::string	dump(const cfg_section *list);
std::string	read_file(const std::string &path);
void		write_file(const std::string &path, const std::string &text);
bool		exists(const std::string &path);
mode_t		file_mode(const std::string &path);
/* Names in dir other than . and .. */
std::vector<std::string> list_dir(const std::string &dir);

/*
 * Fault injection.  Allocations (malloc, calloc, realloc, strdup) are
 * counted from 1 after fault_reset(); fault_alloc(k) makes the k-th fail.
 * fault_io(&cfg_sys.fflush, EIO) and friends make the named call fail with
 * the given errno the next time it is made.
 */
void	fault_reset(void);
void	fault_alloc(int nth);
int	fault_allocs(void);
bool	fault_alloc_hit(void);
enum fault_call { F_FREAD, F_FWRITE, F_FFLUSH, F_FSYNC, F_FCLOSE, F_RENAME,
	F_MKSTEMP, F_FDOPEN };
void	fault_io(fault_call call, int err);

/*
 * Runs fn in a forked child that has dropped to uid and gid 65534 when
 * running as root (root ignores file permissions); returns fn's result,
 * or -100 when the child did not exit normally.
 */
int	as_nobody(const std::function<int()> &fn);
/* Runs fn in a forked child as the same user. */
int	in_child(const std::function<int()> &fn);
/* Removes a directory tree. */
void	remove_tree(const std::string &dir);

/* Every test runs in a fresh home directory with the real C library. */
class CfgTest : public ::testing::Test {
public:
	std::string	home;
	void		SetUp() override;
	void		TearDown() override;
	/* ~/.config/Qor/<name> and a file in it */
	std::string	dir(const char *name = "t") const;
	std::string	file(const char *name = "t", const char *f = "cfg") const;
	/* Writes text as ~/.config/Qor/t/cfg, making the directories. */
	void		put(const std::string &text) const;
	cfg_section	*read_mixed(const std::string &text) const;
};

#endif

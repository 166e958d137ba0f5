/* SPDX-License-Identifier: BSD-2-Clause */
/*
 * The reader on arbitrary file contents.  Every input either fails with a
 * syntax or section error and a message, or gives a well-formed list that,
 * written back with cfg_write, reads back the same.
 */
#include <stddef.h>
#include <stdint.h>

#include "fuzz_home.h"
#include "fuzz_store.h"

extern "C" int
LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
	const std::string path = fuzz_home("r") + "/.config/Qor/r/cfg";
	cfg_section *list, *again;
	std::string first;

	fuzz_put(path, data, size);
	list = cfg_read("r", "cfg", fuzz_defs, FUZZ_NDEFS);
	fuzz_check_at_rest();
	if (list == nullptr) {
		fuzz_check_failure();
		return 0;
	}
	fuzz_check_list(list, fuzz_defs, FUZZ_NDEFS);
	first = fuzz_dump(list);
	if (cfg_write("r", "cfg", list) != 0)
		fuzz_fail("cfg_write failed", cfg_errstr());
	fuzz_check_at_rest();
	again = cfg_read("r", "cfg", fuzz_defs, FUZZ_NDEFS);
	if (again == nullptr)
		fuzz_fail("written file does not read back", cfg_errstr());
	if (fuzz_dump(again) != first)
		fuzz_fail("written file reads back different",
		    first + "----\n" + fuzz_dump(again));
	cfg_free(again);
	cfg_free(list);
	return 0;
}

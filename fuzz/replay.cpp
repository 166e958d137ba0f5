/* SPDX-License-Identifier: BSD-2-Clause */
/*
 * Runs a fuzz target's LLVMFuzzerTestOneInput on files, so that the seed
 * corpus and every kept regression input are checked by any compiler,
 * without libFuzzer.  Arguments are files or directories (their regular
 * files, in name order); a directory that does not exist holds nothing.
 */
#include <dirent.h>
#include <stdint.h>
#include <stdio.h>
#include <sys/stat.h>

#include <algorithm>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size);

static void
collect(const std::string &path, std::vector<std::string> &files)
{
	struct stat sb;

	if (stat(path.c_str(), &sb) != 0)
		return;
	if (!S_ISDIR(sb.st_mode)) {
		files.push_back(path);
		return;
	}
	std::vector<std::string> names;
	if (DIR *d = opendir(path.c_str())) {
		while (struct dirent *e = readdir(d))
			if (e->d_name[0] != '.')
				names.push_back(path + "/" + e->d_name);
		closedir(d);
	}
	std::sort(names.begin(), names.end());
	for (const std::string &name : names)
		if (stat(name.c_str(), &sb) == 0 && S_ISREG(sb.st_mode))
			files.push_back(name);
}

int
main(int argc, char **argv)
{
	std::vector<std::string> files;

	for (int i = 1; i < argc; i++)
		collect(argv[i], files);
	for (const std::string &file : files) {
		std::ifstream in(file, std::ios::binary);
		std::string data((std::istreambuf_iterator<char>(in)),
		    std::istreambuf_iterator<char>());

		fprintf(stderr, "replay %s (%zu bytes)\n", file.c_str(), data.size());
		LLVMFuzzerTestOneInput(reinterpret_cast<const uint8_t *>(data.data()),
		    data.size());
	}
	printf("%zu inputs replayed\n", files.size());
	return files.empty() ? 1 : 0;
}

/* SPDX-License-Identifier: BSD-2-Clause */
/*
 * Cost of reading and writing large configuration files: many lines, and
 * one line of several megabytes.  Every case reports its complexity
 * against the file size, which should come out linear (O(N)).
 *
 * Files live in a temporary directory; the store's home lookups land in
 * it too, never in the home of the person running the benchmark.
 */
#include <stdlib.h>
#include <string.h>
#include <unistd.h>

#include <fstream>
#include <string>

#include <benchmark/benchmark.h>

#include "cfg.h"
#include "test_home.h"

static char *list_default[] = { nullptr };

static const cfg_vardef defs[] = {
	{ "str", CFG_STRING, 0, { .str = const_cast<char *>("") } },
	{ "list", CFG_STRINGS, 1, { .list = list_default } },
	{ "num", CFG_INTEGER, 2, { .integer = 0 } },
	{ "flag", CFG_BOOLEAN, 3, { .boolean = false } },
};

static std::string
scratch_dir()
{
	static std::string dir;

	if (dir.empty()) {
		char tmpl[] = "/tmp/ampelwick-bench.XXXXXX";

		if (mkdtemp(tmpl) == nullptr)
			abort();
		dir = tmpl;
		test_home_set(tmpl);
	}
	return dir;
}

static std::string
write_text(const std::string &name, const std::string &text)
{
	std::string path = scratch_dir() + "/" + name;
	std::ofstream(path, std::ios::binary | std::ios::trunc) << text;
	return path;
}

/* Many short assignment lines, with comments and a continued list. */
static void
BM_ReadManyLines(benchmark::State &state)
{
	std::string text;
	const long lines = state.range(0);

	for (long i = 0; i < lines; i += 4)
		text += "num = " + std::to_string(i) + "  # count\n"
		    "str = \"line " + std::to_string(i) + "\"\n"
		    "list = a, \"b c\", \\\n    d\n";
	const std::string path = write_text("many.cfg", text);
	for (auto _ : state) {
		cfg_section *s = cfg_read(nullptr, path.c_str(), defs, 4);

		if (s == nullptr)
			state.SkipWithError(cfg_errstr());
		cfg_free(s);
	}
	state.SetBytesProcessed(state.iterations() * text.size());
	state.SetComplexityN(static_cast<int64_t>(text.size()));
}
BENCHMARK(BM_ReadManyLines)->RangeMultiplier(4)->Range(1 << 10, 1 << 18)
    ->Unit(benchmark::kMillisecond)->Complexity(benchmark::oN);

/* One string value on a single line of up to 16 MB. */
static void
BM_ReadLongLine(benchmark::State &state)
{
	const std::string text = "str = \"" +
	    std::string(static_cast<size_t>(state.range(0)), 'x') + "\"\n";
	const std::string path = write_text("long.cfg", text);

	for (auto _ : state) {
		cfg_section *s = cfg_read(nullptr, path.c_str(), defs, 4);

		if (s == nullptr)
			state.SkipWithError(cfg_errstr());
		cfg_free(s);
	}
	state.SetBytesProcessed(state.iterations() * text.size());
	state.SetComplexityN(static_cast<int64_t>(text.size()));
}
BENCHMARK(BM_ReadLongLine)->RangeMultiplier(4)->Range(1 << 16, 1 << 24)
    ->Unit(benchmark::kMillisecond)->Complexity(benchmark::oN);

/* A list of many sections, four lines each. */
static void
BM_WriteManySections(benchmark::State &state)
{
	const long n = state.range(0);
	cfg_section *list = cfg_new(nullptr, defs, 4), *last = list;
	const std::string path = write_text("wmany.cfg", "");

	for (long i = 1; i < n; i++) {
		std::string name = "s" + std::to_string(i);

		last = last->next = cfg_new(name.c_str(), defs, 4);
		last->vars[2].val.integer = static_cast<int32_t>(i);
	}
	for (auto _ : state)
		if (cfg_write(nullptr, path.c_str(), list) != 0)
			state.SkipWithError(cfg_errstr());
	const long size = static_cast<long>(std::ifstream(path,
	    std::ios::ate | std::ios::binary).tellg());
	state.SetBytesProcessed(state.iterations() * size);
	state.SetComplexityN(size);
	cfg_free(list);
}
BENCHMARK(BM_WriteManySections)->RangeMultiplier(4)->Range(1 << 8, 1 << 16)
    ->Unit(benchmark::kMillisecond)->Complexity(benchmark::oN);

/* One string of up to 16 MB that needs escaping throughout. */
static void
BM_WriteLongString(benchmark::State &state)
{
	cfg_section *s = cfg_new(nullptr, defs, 4);
	std::string text(static_cast<size_t>(state.range(0)), 'x');
	const std::string path = write_text("wlong.cfg", "");

	for (size_t i = 0; i < text.size(); i += 16)
		text[i] = '"';
	free(s->vars[0].val.str);
	s->vars[0].val.str = strdup(text.c_str());
	for (auto _ : state)
		if (cfg_write(nullptr, path.c_str(), s) != 0)
			state.SkipWithError(cfg_errstr());
	state.SetBytesProcessed(state.iterations() * text.size());
	state.SetComplexityN(state.range(0));
	cfg_free(s);
}
BENCHMARK(BM_WriteLongString)->RangeMultiplier(4)->Range(1 << 16, 1 << 24)
    ->Unit(benchmark::kMillisecond)->Complexity(benchmark::oN);

int
main(int argc, char **argv)
{
	benchmark::Initialize(&argc, argv);
	if (benchmark::ReportUnrecognizedArguments(argc, argv))
		return 1;
	const std::string dir = scratch_dir();
	benchmark::RunSpecifiedBenchmarks();
	benchmark::Shutdown();
	std::string cmd = "rm -rf '" + dir + "'";
	return system(cmd.c_str()) == 0 ? 0 : 1;
}

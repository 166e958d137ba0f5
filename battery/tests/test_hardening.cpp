/*
 * The battery source under pressure: failing allocations of the devd line
 * buffer, readings far outside their ranges, and floods from devd.
 */
#include <sys/socket.h>
#include <sys/wait.h>

#include <errno.h>
#include <limits.h>
#include <poll.h>
#include <stdlib.h>
#include <string.h>
#include <unistd.h>

#include <string>
#include <thread>

#include "sim_fixture.h"

namespace {

/* Allocations of the devd reader counted from 1; the fail_at-th fails. */
int alloc_count, fail_at;

bool
alloc_fails()
{
	if (++alloc_count != fail_at)
		return false;
	errno = ENOMEM;
	return true;
}

void *
f_malloc(size_t n)
{
	return alloc_fails() ? nullptr : malloc(n);
}

void *
f_realloc(void *p, size_t n)
{
	return alloc_fails() ? nullptr : realloc(p, n);
}

void
fail_allocation(int nth)
{
	alloc_count = 0;
	fail_at = nth;
	batt_sys.malloc = f_malloc;
	batt_sys.realloc = f_realloc;
}

class BatteryHardening : public SimLaptop {
protected:
	void
	TearDown() override
	{
		batt_sys_reset();
		SimLaptop::TearDown();
	}

	/* Calls read_devd_event until devd has nothing more; counts the 1s. */
	int
	drain(int *last = nullptr)
	{
		int events = 0, r;

		while ((r = read_devd_event(&src)) == 1)
			events++;
		if (last != nullptr)
			*last = r;
		return events;
	}

	void
	expect_buffer_invariants()
	{
		EXPECT_LE(0, src.devd_pos);
		EXPECT_LE(src.devd_pos, src.devd_len);
		EXPECT_LE(src.devd_len, src.devd_size - 1);
		EXPECT_EQ(src.devd_size % 2048, 0);
	}
};

} /* namespace */

TEST_F(BatteryHardening, FirstBufferAllocationFailsQuietlyAndIsRetried)
{
	ready();
	ASSERT_TRUE(devd->notify());
	fail_allocation(1);
	EXPECT_EQ(read_event(), 0);
	EXPECT_EQ(src.devd_buf, nullptr);
	EXPECT_EQ(src.devd_size, 0);
	EXPECT_EQ(src.devd_len, 0);
	EXPECT_EQ(src.devd_pos, 0);
	EXPECT_STREQ(src.error, "");

	/* The notification waited in the socket for the next call. */
	batt_sys_reset();
	EXPECT_EQ(read_event(), 1);
	EXPECT_EQ(src.devd_size, 2048);
}

/*
 * A line of 5000 bytes needs the first block and two growths.  Failing
 * each of the three in turn: the first gives 0 with nothing changed, a
 * growth ends the process with status 1 and "realloc()" and the system's
 * text on standard error.  With all three granted the line is read.
 */
TEST_F(BatteryHardening, EveryAllocationOfTheDevdReader)
{
	ready();
	std::string line = "!system=ACPI subsystem=CMBAT pad=";
	line += std::string(5000 - line.size(), 'p') + "\n";

	for (int k = 1; k <= 3; k++) {
		SCOPED_TRACE(k);
		/* The child shares the socket: give each one the whole line. */
		ASSERT_TRUE(devd->send(line));
		int pipefd[2];
		ASSERT_EQ(pipe(pipefd), 0);
		fflush(nullptr);
		pid_t pid = fork();
		ASSERT_NE(pid, -1);
		if (pid == 0) {
			dup2(pipefd[1], 2);
			close(pipefd[0]);
			fail_allocation(k);
			struct pollfd pfd = { src.devd_fd, POLLIN, 0 };
			poll(&pfd, 1, 5000);
			int r = read_devd_event(&src);
			/* Only the first allocation may fail and return. */
			_exit(r == 0 && src.devd_buf == nullptr &&
			    src.devd_size == 0 ? 42 : 43);
		}
		close(pipefd[1]);
		std::string err;
		char buf[256];
		ssize_t n;
		while ((n = read(pipefd[0], buf, sizeof(buf))) > 0)
			err.append(buf, static_cast<size_t>(n));
		close(pipefd[0]);
		int status;
		ASSERT_EQ(waitpid(pid, &status, 0), pid);
		ASSERT_TRUE(WIFEXITED(status));
		if (k == 1) {
			EXPECT_EQ(WEXITSTATUS(status), 42);
			EXPECT_EQ(err, "");
		} else {
			EXPECT_EQ(WEXITSTATUS(status), 1);
			EXPECT_NE(err.find(": realloc(): Cannot allocate memory\n"),
			    std::string::npos) << err;
		}
		/* Drop what the child left in the socket. */
		while (recv(src.devd_fd, buf, sizeof(buf), MSG_DONTWAIT) > 0)
			;
	}
	EXPECT_EQ(src.devd_buf, nullptr);
	ASSERT_TRUE(devd->send(line));
	EXPECT_EQ(read_event(), 1);
	EXPECT_EQ(src.devd_size, 6144);
}

/*
 * Readings far outside their ranges never fail the poll: a state of 7 or
 * a negative capacity means no battery, anything else is one of the four
 * state codes, and capacity and minutes are passed on as they came.
 */
TEST_F(BatteryHardening, ReadingsOutOfRange)
{
	static const long long caps[] = { 0, 100, 101, 255, -5, -1, INT_MAX,
		INT_MIN };
	static const long long mins[] = { -1, -2, 0, 100000, INT_MAX, INT_MIN };
	static const long long states[] = { 0, 1, 2, 3, 4, 5, 6, 7, 8, 15, 255,
		-1, INT_MAX, INT_MIN };
	static const long long aclines[] = { 0, 1, -1, 2, INT_MIN };

	ready();
	for (long long cap : caps)
		for (long long min : mins)
			for (long long state : states)
				for (long long ac : aclines) {
					SimReadings r = readings;
					batt_status before = src.status;

					r.cap = cap;
					r.min = min;
					r.state = state;
					r.acline = ac;
					write(r);
					SCOPED_TRACE(testing::Message() << "cap " << cap
					    << " min " << min << " state " << state
					    << " ac " << ac);
					ASSERT_EQ(ampelwick_poll(&src), 0) << src.error;
					bool absent = state == 7 || cap < 0;
					EXPECT_EQ(ampelwick_present(&src), !absent);
					if (absent) {
						EXPECT_EQ(memcmp(&before, &src.status,
						    sizeof(before)), 0);
						continue;
					}
					EXPECT_EQ(src.status.capacity, cap);
					EXPECT_EQ(src.status.time_left, min);
					EXPECT_TRUE(src.status.state == BATT_DISCHARGING ||
					    src.status.state == BATT_CHARGING ||
					    src.status.state == BATT_ON_AC ||
					    src.status.state == BATT_UNKNOWN);
				}
}

/* Warning and low levels from any capacities: no failure, no trap. */
TEST_F(BatteryHardening, LevelsOutOfRange)
{
	static const long long values[] = { 0, 1, 99, 100, 50000, 4294967295LL,
		2147483648LL, 42949673, 42949672 };

	ready();
	for (long long lfcap : values)
		for (long long wcap : values)
			for (long long lcap : values) {
				SimReadings r = readings;

				r.lfcap = lfcap;
				r.wcap = wcap;
				r.lcap = lcap;
				write(r);
				SCOPED_TRACE(testing::Message() << lfcap << " " << wcap
				    << " " << lcap);
				ASSERT_EQ(ampelwick_get_batt_info(&src), 0);
				if (lfcap == 0) {
					EXPECT_EQ(src.status.warn_capacity, 10);
					EXPECT_EQ(src.status.low_capacity, 5);
				}
				/* Percentages are never 0: 0 becomes 10 and 5. */
				EXPECT_NE(src.status.warn_capacity, 0);
				EXPECT_NE(src.status.low_capacity, 0);
			}
	/* A warning level above 100 stays as it is: nothing is clamped. */
	SimReadings r = readings;
	r.lfcap = 1000;
	r.wcap = 1500;
	write(r);
	ASSERT_EQ(ampelwick_get_batt_info(&src), 0);
	EXPECT_EQ(src.status.warn_capacity, 150);
}

TEST_F(BatteryHardening, NulBytesEndTheLineText)
{
	ready();
	/* strtok sees the line up to its first NUL. */
	const std::string lines[] = {
		std::string("!system=ACPI\0 subsystem=CMBAT\n", 30),
		std::string("!\0subsystem=CMBAT\n", 19),
		std::string("\0!subsystem=CMBAT\n", 18),
		std::string("!subsystem=CMBAT\0 system=X\n", 28),
	};
	const int battery[] = { 0, 0, 0, 1 };

	for (size_t i = 0; i < 4; i++) {
		SCOPED_TRACE(i);
		ASSERT_TRUE(devd->send(lines[i]));
		EXPECT_EQ(read_event(), battery[i]);
		EXPECT_EQ(read_devd_event(&src), 0);
		expect_buffer_invariants();
	}
}

TEST_F(BatteryHardening, OneMegabyteLine)
{
	ready();
	std::string big = "!system=ACPI subsystem=CMBAT pad=" +
	    std::string(1 << 20, 'p') + "\n";
	std::thread sender([this, &big] { EXPECT_TRUE(devd->send(big)); });
	int events = 0, r = 0;

	/* Each call reads until the socket is drained or the line is done. */
	while (events == 0) {
		struct pollfd pfd = { src.devd_fd, POLLIN, 0 };
		ASSERT_EQ(poll(&pfd, 1, 5000), 1);
		r = read_devd_event(&src);
		ASSERT_NE(r, -1) << src.error;
		events += r;
		expect_buffer_invariants();
	}
	sender.join();
	EXPECT_EQ(events, 1);
	EXPECT_GE(src.devd_size, static_cast<int32_t>(big.size()));
	EXPECT_EQ(read_devd_event(&src), 0);
}

TEST_F(BatteryHardening, FloodOfNotifications)
{
	constexpr int count = 20000;
	std::string flood;

	ready();
	for (int i = 0; i < count; i++)
		flood += i % 2 ? "!system=ACPI subsystem=CMBAT type=\\_SB_.BAT0 notify=0x80\n" :
		    "!system=ACPI subsystem=ACAD type=\\_SB_.ACAD notify=0x01\n";
	std::thread sender([this, &flood] { EXPECT_TRUE(devd->send(flood)); });
	int events = 0;

	while (events < count / 2) {
		struct pollfd pfd = { src.devd_fd, POLLIN, 0 };
		int last;
		ASSERT_EQ(poll(&pfd, 1, 5000), 1) << events;
		events += drain(&last);
		ASSERT_EQ(last, 0) << src.error;
		expect_buffer_invariants();
	}
	sender.join();
	EXPECT_EQ(events, count / 2);
	EXPECT_EQ(src.devd_size, 2048);	/* short lines never grow it */
	EXPECT_EQ(read_devd_event(&src), 0);
}

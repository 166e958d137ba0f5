/* SPDX-License-Identifier: BSD-2-Clause */
/* When Qt may be asked for a tray, which it settles once per process. */
#include <gtest/gtest.h>

#include "trayhosts.h"

TEST(Trays, QtAskedOnlyForTheKindItTakes)
{
	TrayKind taken = TrayKind::Unsettled;

	/* Nothing there: Qt is not asked, and has settled nothing. */
	EXPECT_FALSE(tray_usable(&taken, false, false));
	EXPECT_EQ(taken, TrayKind::Unsettled);
	/* The host wins where both are there, as in Qt. */
	EXPECT_TRUE(tray_usable(&taken, true, true));
	EXPECT_EQ(taken, TrayKind::Host);
	/* Its icons cannot go to an XEmbed tray once the host is gone. */
	EXPECT_FALSE(tray_usable(&taken, false, true));
	EXPECT_TRUE(tray_usable(&taken, true, false));

	taken = TrayKind::Unsettled;
	EXPECT_TRUE(tray_usable(&taken, false, true));
	EXPECT_EQ(taken, TrayKind::XEmbed);
	EXPECT_FALSE(tray_usable(&taken, true, false));
}

/* SPDX-License-Identifier: BSD-2-Clause */
/*
 * Shows one error box through gui_err or gui_errx and lets it end the
 * process.  A timer reports the box (title, icon, text) on standard output
 * and presses Ok; an exit handler reports that exit() ran.
 *
 *	msgbox_probe err STATUS PATH	open(PATH) fails, then gui_err
 *	msgbox_probe errx STATUS TEXT	gui_errx with "%s" and TEXT
 */
#include <QApplication>
#include <QIcon>
#include <QMessageBox>
#include <QPushButton>
#include <QTimer>

#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <fcntl.h>
#include <unistd.h>

#include "msgbox.h"

/*
 * The process ends by exit() from inside the box, with the application
 * and its libraries' caches still alive; leak reports would only hide the
 * exit status under test.
 */
extern "C" const char *
__asan_default_options()
{
	return "detect_leaks=0";
}

static void
report_box()
{
	for (QWidget *w : QApplication::topLevelWidgets()) {
		QMessageBox *box = qobject_cast<QMessageBox *>(w);
		if (box == nullptr || !box->isVisible())
			continue;
		printf("title=%s\nicon=%d\nwindowicon=%d\ntext=%s",
		    qPrintable(box->windowTitle()), static_cast<int>(box->icon()),
		    !box->windowIcon().isNull(),
		    box->text().toUtf8().constData());
		box->button(QMessageBox::Ok)->click();
		return;
	}
	printf("no box\n");
	_exit(99);
}

static void
report_exit()
{
	printf("[exit]\n");
}

int
main(int argc, char **argv)
{
	QApplication app(argc, argv);

	if (argc != 4)
		return 98;
	int status = atoi(argv[2]);
	atexit(report_exit);
	QTimer::singleShot(0, report_box);
	if (strcmp(argv[1], "err") == 0) {
		int fd = open(argv[3], O_RDONLY);
		if (fd >= 0)
			return 97;
		gui_err(nullptr, status, "open(%s)", argv[3]);
	}
	gui_errx(nullptr, status, "%s", argv[3]);
}

#include <QtTest>

#include <cstdlib>
#include <cstring>
#include <string>

#include "settings.h"
#include "test_home.h"

/*
 * The settings table against the store: slots, types and defaults, and a
 * round trip through the settings file in a temporary home.
 */
class TestSettings : public QObject
{
	Q_OBJECT

	std::string	home;

private slots:
	void initTestCase();
	void cleanupTestCase();
	void tableOrderAndSlots();
	void defaultsFillEverySlot();
	void fileRoundTrip();
};

void
TestSettings::initTestCase()
{
	char tmpl[] = "/tmp/ampelwick-settings-XXXXXX";

	QVERIFY(mkdtemp(tmpl) != nullptr);
	home = tmpl;
	test_home_set(tmpl);
}

void
TestSettings::cleanupTestCase()
{
	QVERIFY(QDir(QString::fromStdString(home)).removeRecursively());
}

void
TestSettings::tableOrderAndSlots()
{
	static const struct {
		const char	*name;
		int		 type;
		int		 slot;
	} want[SETTINGS_COUNT] = {
		{ "autoshutdown", CFG_BOOLEAN, SLOT_AUTOSHUTDOWN },
		{ "suspend", CFG_BOOLEAN, SLOT_SUSPEND },
		{ "shutdown_cap", CFG_INTEGER, SLOT_SHUTDOWN_CAP },
		{ "shutdown_cmd", CFG_STRING, SLOT_SHUTDOWN_CMD },
		{ "suspend_cmd", CFG_STRING, SLOT_SUSPEND_CMD },
		{ "use_icon_theme", CFG_BOOLEAN, SLOT_USE_ICON_THEME },
		{ "poll_interval", CFG_INTEGER, SLOT_POLL_INTERVAL },
	};
	int seen = 0;

	for (int i = 0; i < SETTINGS_COUNT; i++) {
		QCOMPARE(settings_table[i].name, want[i].name);
		QCOMPARE(settings_table[i].type, want[i].type);
		QCOMPARE(settings_table[i].index, want[i].slot);
		seen |= 1 << settings_table[i].index;
	}
	QCOMPARE(seen, (1 << SETTINGS_COUNT) - 1);
}

void
TestSettings::defaultsFillEverySlot()
{
	cfg_section *s = cfg_new(nullptr, settings_table, SETTINGS_COUNT);

	QVERIFY(s != nullptr);
	QVERIFY(s->name == nullptr);
	QCOMPARE(s->nvars, SETTINGS_COUNT);
	const cfg_var *v = s->vars;
	QCOMPARE(v[SLOT_AUTOSHUTDOWN].val.boolean, false);
	QCOMPARE(v[SLOT_SUSPEND].val.boolean, true);
	QCOMPARE(v[SLOT_SHUTDOWN_CAP].val.integer, 5);
	QCOMPARE(v[SLOT_USE_ICON_THEME].val.boolean, true);
	QCOMPARE(v[SLOT_POLL_INTERVAL].val.integer, 5);
#ifdef __FreeBSD__
	QCOMPARE(v[SLOT_SHUTDOWN_CMD].val.str, "shutdown -p now");
	QCOMPARE(v[SLOT_SUSPEND_CMD].val.str, "sudo acpiconf -s 3");
#else
	QCOMPARE(v[SLOT_SHUTDOWN_CMD].val.str, "systemctl poweroff");
	QCOMPARE(v[SLOT_SUSPEND_CMD].val.str, "systemctl suspend");
#endif
	/* Heap copies, never the table's own strings. */
	QVERIFY(v[SLOT_SUSPEND_CMD].val.str !=
	    settings_table[4].defval.str);
	for (int i = 0; i < SETTINGS_COUNT; i++)
		QCOMPARE(v[settings_table[i].index].name, settings_table[i].name);
	cfg_free(s);
}

void
TestSettings::fileRoundTrip()
{
	cfg_section *s = cfg_new(nullptr, settings_table, SETTINGS_COUNT);

	QVERIFY(s != nullptr);
	s->vars[SLOT_AUTOSHUTDOWN].val.boolean = true;
	s->vars[SLOT_SHUTDOWN_CAP].val.integer = 12;
	s->vars[SLOT_POLL_INTERVAL].val.integer = 30;
	free(s->vars[SLOT_SHUTDOWN_CMD].val.str);
	s->vars[SLOT_SHUTDOWN_CMD].val.str = strdup("echo 'off now' \"#1\"");
	QCOMPARE(cfg_write(PROGRAM_NAME, CONFIG_FILE, s), 0);

	std::string path = home + "/.config/Qor/ampelwick/config";
	QVERIFY(QFile::exists(QString::fromStdString(path)));
	cfg_section *r = cfg_read(PROGRAM_NAME, CONFIG_FILE, settings_table,
	    SETTINGS_COUNT);
	QVERIFY2(r != nullptr, cfg_errstr());
	QCOMPARE(r->vars[SLOT_AUTOSHUTDOWN].val.boolean, true);
	QCOMPARE(r->vars[SLOT_SUSPEND].val.boolean, true);
	QCOMPARE(r->vars[SLOT_SHUTDOWN_CAP].val.integer, 12);
	QCOMPARE(r->vars[SLOT_POLL_INTERVAL].val.integer, 30);
	QCOMPARE(r->vars[SLOT_SHUTDOWN_CMD].val.str,
	    s->vars[SLOT_SHUTDOWN_CMD].val.str);
	QCOMPARE(r->vars[SLOT_SUSPEND_CMD].val.str,
	    s->vars[SLOT_SUSPEND_CMD].val.str);
	cfg_free(r);
	cfg_free(s);
}

QTEST_APPLESS_MAIN(TestSettings)
#include "test_settings.moc"

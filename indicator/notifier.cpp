/* SPDX-License-Identifier: BSD-2-Clause */
#include <QCoreApplication>
#include <QDBusArgument>
#include <QDBusConnection>
#include <QDBusMetaType>
#include <QDBusMessage>
#include <QDBusPendingCallWatcher>
#include <QDBusPendingReply>
#include <QIcon>
#include <QImage>
#include <QStringList>
#include <QTimer>
#include <QVariantMap>

#include "lowbattery.h"
#include "notifier.h"
#include "pictures.h"

static const char SERVICE[] = "org.freedesktop.Notifications";
static const char PATH[] = "/org/freedesktop/Notifications";

/* The urgency hint's values. */
static constexpr uchar URGENCY_LOW = 0;
static constexpr uchar URGENCY_NORMAL = 1;
static constexpr uchar URGENCY_CRITICAL = 2;

/* The hint "image-data": a picture as (iiibiiay), RGBA rows. */
struct NotificationImage {
	QImage	image;
};
Q_DECLARE_METATYPE(NotificationImage)

static QDBusArgument &
operator<<(QDBusArgument &arg, const NotificationImage &picture)
{
	const QImage &i = picture.image;

	arg.beginStructure();
	arg << i.width() << i.height() << int(i.bytesPerLine()) << true <<
	    8 << 4 << QByteArray(reinterpret_cast<const char *>(i.constBits()),
	    int(i.sizeInBytes()));
	arg.endStructure();
	return arg;
}

/* Never read; Qt's registration asks for both directions. */
static const QDBusArgument &
operator>>(const QDBusArgument &arg, NotificationImage &)
{
	return arg;
}

/* The drawn gauge at four times its size, for a theme without our icon. */
static QVariant
gauge_image(const batt_status &now)
{
	NotificationImage picture;

	qDBusRegisterMetaType<NotificationImage>();
	picture.image = Pictures::paintGauge(-now.capacity, now.warn_capacity,
	    4).toImage().convertToFormat(QImage::Format_RGBA8888);
	return QVariant::fromValue(picture);
}

/* The indicator's texts, in the catalogues under its name. */
static QString
text(const char *source)
{
	return QCoreApplication::translate("BattIndicator", source);
}

static QString
body(const batt_status &now)
{
	const int hours = now.time_left / 60;

	if (now.time_left < 0)
		return text(QT_TRANSLATE_NOOP("BattIndicator",
		    "Charge: %1%")).arg(now.capacity);

	return text(QT_TRANSLATE_NOOP("BattIndicator",
	    "Charge: %1%, time left: %2:%3")).arg(now.capacity)
	    .arg(hours, 2, 10, QChar('0'))
	    .arg(now.time_left - 60 * hours, 2, 10, QChar('0'));
}

static constexpr int CHARGER_SETTLE_MS = 3000;

Notifier::Notifier(QObject *parent)
    : QObject(parent)
{
	chargerSettle = new QTimer(this);
	chargerSettle->setSingleShot(true);
	connect(chargerSettle, &QTimer::timeout, this,
	    &Notifier::chargerSettled);
}

void
Notifier::setNotices(bool full, bool charger)
{
	noticeFull = full;
	if (!charger) {
		chargerAnnounced = -1;
		chargerSettle->stop();
	}
	noticeCharger = charger;
}

void
Notifier::readingChanged(const batt_status &previous, const batt_status &now)
{
	if (noticeFull && fullNoticeDue(fullShown, now))
		notice(text(QT_TRANSLATE_NOOP("BattIndicator",
		    "Battery fully charged")), now);
	if (!noticeCharger || now.state == BATT_UNKNOWN)
		return;
	if (chargerAnnounced == -1 && previous.state != BATT_UNKNOWN)
		chargerAnnounced = chargerIn(previous);
	chargerReading = now;
	if (chargerIn(now) != chargerIn(previous))
		chargerSettle->start(CHARGER_SETTLE_MS);
}

/* A loose connector: only the state it settles in is news. */
void
Notifier::chargerSettled()
{
	const bool in = chargerIn(chargerReading);

	if (chargerNoticeDue(chargerAnnounced, in))
		notice(in ? text(QT_TRANSLATE_NOOP("BattIndicator",
		    "Charger connected")) : text(QT_TRANSLATE_NOOP(
		    "BattIndicator", "Charger disconnected")), chargerReading);
}

/* At low urgency, or a balloon without a server. */
void
Notifier::notice(const QString &summary, const batt_status &now)
{
	QDBusConnection bus = QDBusConnection::sessionBus();

	if (!bus.isConnected()) {
		emit balloon(summary, body(now), QSystemTrayIcon::Information);
		return;
	}
	QVariantMap hints;
	hints.insert(QStringLiteral("urgency"), QVariant::fromValue(
	    URGENCY_LOW));
	hints.insert(QStringLiteral("desktop-entry"),
	    QStringLiteral("ampelwick"));
	QDBusMessage msg = QDBusMessage::createMethodCall(SERVICE, PATH,
	    SERVICE, "Notify");
	msg << QStringLiteral("ampelwick") << noticeId <<
	    QStringLiteral("ampelwick") << summary << body(now) <<
	    QStringList() << hints << -1;
	QDBusPendingCallWatcher *watcher = new QDBusPendingCallWatcher(
	    bus.asyncCall(msg), this);
	connect(watcher, &QDBusPendingCallWatcher::finished, this,
	    [this, summary, now](QDBusPendingCallWatcher *w) {
		const QDBusPendingReply<uint> reply = *w;

		w->deleteLater();
		if (reply.isError())
			emit balloon(summary, body(now),
			    QSystemTrayIcon::Information);
		else
			noticeId = reply.value();
	});
}

void
Notifier::warn(Warning warning, const batt_status &now)
{
	QDBusConnection bus = QDBusConnection::sessionBus();

	if (asking && warning != Warning::None) {
		waiting.emplace(warning, now);
		return;
	}
	switch (warning) {
	case Warning::None:
		return;
	case Warning::Withdraw:
		if (shownId != 0 && bus.isConnected()) {
			QDBusMessage close = QDBusMessage::createMethodCall(
			    SERVICE, PATH, SERVICE, "CloseNotification");
			close << shownId;
			bus.call(close, QDBus::NoBlock);
		}
		shownId = 0;
		return;
	case Warning::Low:
	case Warning::Critical:
		if (bus.isConnected())
			notify(warning, now);
		else
			showBalloon(now);
		return;
	}
}

/*
 * Asked without waiting: a server that does not answer, or none that is
 * there, turns the notification into the balloon when the bus says so.
 */
void
Notifier::notify(Warning warning, const batt_status &now)
{
	const bool critical = warning == Warning::Critical;
	QVariantMap hints;

	hints.insert(QStringLiteral("urgency"), QVariant::fromValue(
	    critical ? URGENCY_CRITICAL : URGENCY_NORMAL));
	hints.insert(QStringLiteral("desktop-entry"),
	    QStringLiteral("ampelwick"));
	if (!QIcon::hasThemeIcon(QStringLiteral("ampelwick")))
		hints.insert(QStringLiteral("image-data"), gauge_image(now));
	QDBusMessage msg = QDBusMessage::createMethodCall(SERVICE, PATH,
	    SERVICE, "Notify");
	msg << QStringLiteral("ampelwick") << shownId <<
	    QStringLiteral("ampelwick") <<
	    text(critical ?
	    QT_TRANSLATE_NOOP("BattIndicator", "Battery critical") :
	    QT_TRANSLATE_NOOP("BattIndicator", "Battery low")) << body(now) <<
	    QStringList() << hints << -1;

	asking = true;
	QDBusPendingCallWatcher *watcher = new QDBusPendingCallWatcher(
	    QDBusConnection::sessionBus().asyncCall(msg), this);
	connect(watcher, &QDBusPendingCallWatcher::finished, this,
	    [this, now](QDBusPendingCallWatcher *w) {
		const QDBusPendingReply<uint> reply = *w;

		w->deleteLater();
		asking = false;
		if (reply.isError())
			showBalloon(now);
		else
			shownId = reply.value();
		if (waiting) {
			const auto next = *waiting;

			waiting.reset();
			warn(next.first, next.second);
		}
	});
}

void
Notifier::showBalloon(const batt_status &now)
{
	emit balloon(text(QT_TRANSLATE_NOOP("BattIndicator",
	    "Warning")),
	    text(QT_TRANSLATE_NOOP("BattIndicator",
	    "Battery capacity at %1%")).arg(now.capacity),
	    warningIsCritical(now) ? QSystemTrayIcon::Critical :
	    QSystemTrayIcon::Warning);
}

/* SPDX-License-Identifier: BSD-2-Clause */
#include <QDBusConnection>
#include <QDBusConnectionInterface>
#include <QDBusMessage>
#include <QDBusServiceWatcher>
#include <QDBusVariant>

#include "trayhosts.h"

static const char WATCHER[] = "org.kde.StatusNotifierWatcher";
static const char WATCHER_PATH[] = "/StatusNotifierWatcher";
/* A watcher that does not answer is as good as none. */
static constexpr int CALL_MS = 2000;

TrayHosts::TrayHosts(QObject *parent)
    : QObject(parent)
{
	QDBusConnection bus = QDBusConnection::sessionBus();

	connected = bus.isConnected();
	if (!connected)
		return;
	QDBusServiceWatcher *watcher = new QDBusServiceWatcher(
	    QString::fromLatin1(WATCHER), bus,
	    QDBusServiceWatcher::WatchForOwnerChange, this);
	connect(watcher, &QDBusServiceWatcher::serviceOwnerChanged, this,
	    &TrayHosts::changed);
	/* A watcher comes before its host registers. */
	bus.connect(QString(), QString::fromLatin1(WATCHER_PATH),
	    QString::fromLatin1(WATCHER),
	    QStringLiteral("StatusNotifierHostRegistered"), this,
	    SIGNAL(changed()));
}

bool
TrayHosts::hostPresent() const
{
	if (!connected)
		return false;
	QDBusConnection bus = QDBusConnection::sessionBus();
	if (!bus.interface()->isServiceRegistered(QString::fromLatin1(WATCHER)))
		return false;
	QDBusMessage get = QDBusMessage::createMethodCall(
	    QString::fromLatin1(WATCHER), QString::fromLatin1(WATCHER_PATH),
	    QStringLiteral("org.freedesktop.DBus.Properties"),
	    QStringLiteral("Get"));
	get << QString::fromLatin1(WATCHER) <<
	    QStringLiteral("IsStatusNotifierHostRegistered");
	const QDBusMessage reply = bus.call(get, QDBus::Block, CALL_MS);
	return reply.type() == QDBusMessage::ReplyMessage &&
	    !reply.arguments().isEmpty() &&
	    reply.arguments().constFirst().value<QDBusVariant>().variant().
	    toBool();
}

bool
tray_usable(TrayKind *taken, bool host, bool xembed)
{
	switch (*taken) {
	case TrayKind::Host:
		return host;
	case TrayKind::XEmbed:
		return xembed;
	case TrayKind::Unsettled:
		break;
	}
	if (!host && !xembed)
		return false;
	*taken = host ? TrayKind::Host : TrayKind::XEmbed;
	return true;
}

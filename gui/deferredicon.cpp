/* SPDX-License-Identifier: BSD-2-Clause */
#include <QApplication>
#include <QEvent>
#include <QIconEngine>
#include <QPainter>
#include <QWidget>

#include "deferredicon.h"

/*
 * Everything goes to the made icon, made at the first question, but its
 * size: QIcon's actualSize() and, in Qt 5, its pixmap() would take the
 * size asked for here, already in device pixels, for one in logical
 * pixels and multiply it by the screen's ratio once more.  QIconEngine's
 * own answers stand instead: the size asked for, and in Qt 5 a pixmap of
 * that size drawn through paint(), the made icon centred in it.
 */
class DeferredIconEngine : public QIconEngine {
public:
	explicit DeferredIconEngine(QIcon (*make)()) : make(make) {}

	void	paint(QPainter *painter, const QRect &rect, QIcon::Mode mode,
		    QIcon::State state) override;
	void	addPixmap(const QPixmap &pixmap, QIcon::Mode mode,
		    QIcon::State state) override;
	void	addFile(const QString &fileName, const QSize &size,
		    QIcon::Mode mode, QIcon::State state) override;
	QString	key() const override;
	QIconEngine *clone() const override;
#if QT_VERSION >= QT_VERSION_CHECK(6, 0, 0)
	QList<QSize> availableSizes(QIcon::Mode mode,
		    QIcon::State state) override;
	QPixmap	pixmap(const QSize &size, QIcon::Mode mode,
		    QIcon::State state) override;
	QPixmap	scaledPixmap(const QSize &size, QIcon::Mode mode,
		    QIcon::State state, qreal scale) override;
	QString	iconName() override;
	bool	isNull() override;
#else
	QList<QSize> availableSizes(QIcon::Mode mode,
		    QIcon::State state) const override;
	QString	iconName() const override;
	void	virtual_hook(int id, void *data) override;
#endif

private:
	QIcon	&icon();

	QIcon	(*make)();
	QIcon	made;
	bool	isMade = false;
};

QIcon &
DeferredIconEngine::icon()
{
	if (!isMade) {
		made = make();
		isMade = true;
	}
	return made;
}

/* The made icon keeps its own size, centred in the rectangle. */
void
DeferredIconEngine::paint(QPainter *painter, const QRect &rect,
    QIcon::Mode mode, QIcon::State state)
{
	icon().paint(painter, rect, Qt::AlignCenter, mode, state);
}

void
DeferredIconEngine::addPixmap(const QPixmap &pixmap, QIcon::Mode mode,
    QIcon::State state)
{
	icon().addPixmap(pixmap, mode, state);
}

void
DeferredIconEngine::addFile(const QString &fileName, const QSize &size,
    QIcon::Mode mode, QIcon::State state)
{
	icon().addFile(fileName, size, mode, state);
}

QString
DeferredIconEngine::key() const
{
	return QStringLiteral("DeferredIconEngine");
}

QIconEngine *
DeferredIconEngine::clone() const
{
	DeferredIconEngine *copy = new DeferredIconEngine(make);

	copy->made = made;
	copy->isMade = isMade;
	return copy;
}

#if QT_VERSION >= QT_VERSION_CHECK(6, 0, 0)
QList<QSize>
DeferredIconEngine::availableSizes(QIcon::Mode mode, QIcon::State state)
{
	return icon().availableSizes(mode, state);
}

/* size is in device pixels. */
QPixmap
DeferredIconEngine::pixmap(const QSize &size, QIcon::Mode mode,
    QIcon::State state)
{
	return icon().pixmap(size, 1.0, mode, state);
}

QString
DeferredIconEngine::iconName()
{
	return icon().name();
}

bool
DeferredIconEngine::isNull()
{
	return icon().isNull();
}

QPixmap
DeferredIconEngine::scaledPixmap(const QSize &size, QIcon::Mode mode,
    QIcon::State state, qreal scale)
{
	/* size is in device pixels; the icon asks in device-independent ones. */
	return icon().pixmap(size / scale, scale, mode, state);
}
#else
/* Qt 5 asks these of a const engine; the first question still makes it. */
QList<QSize>
DeferredIconEngine::availableSizes(QIcon::Mode mode, QIcon::State state) const
{
	return const_cast<DeferredIconEngine *>(this)->icon().availableSizes(
	    mode, state);
}

QString
DeferredIconEngine::iconName() const
{
	return const_cast<DeferredIconEngine *>(this)->icon().name();
}

/* Qt 5 asks whether an icon is null through a hook. */
void
DeferredIconEngine::virtual_hook(int id, void *data)
{
	if (id == IsNullHook)
		*static_cast<bool *>(data) = icon().isNull();
	else
		QIconEngine::virtual_hook(id, data);
}
#endif

QIcon
deferred_icon(QIcon (*make)())
{
	return QIcon(new DeferredIconEngine(make));
}

/*
 * Watches the whole application until the first decorated window is
 * shown; then sets the icon and leaves.  The show event comes after the
 * window is made and before it is mapped, so the window manager finds
 * the icon on it from the start.
 */
class WindowIconSetter : public QObject {
public:
	WindowIconSetter(QIcon (*make)(), QObject *parent)
	    : QObject(parent), make(make) {}

protected:
	bool	eventFilter(QObject *watched, QEvent *event) override;

private:
	QIcon	(*make)();
};

static bool
decorated_window(const QWidget *widget)
{
	const Qt::WindowType type = widget->windowType();

	return widget->isWindow() && (type == Qt::Window ||
	    type == Qt::Dialog) &&
	    !widget->windowFlags().testFlag(Qt::BypassWindowManagerHint);
}

bool
WindowIconSetter::eventFilter(QObject *watched, QEvent *event)
{
	if (event->type() != QEvent::Show || !watched->isWidgetType() ||
	    !decorated_window(static_cast<QWidget *>(watched)))
		return false;
	qApp->removeEventFilter(this);
	QApplication::setWindowIcon(make());
	deleteLater();
	return false;
}

void
set_window_icon_when_shown(QIcon (*make)())
{
	qApp->installEventFilter(new WindowIconSetter(make, qApp));
}

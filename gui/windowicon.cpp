#include <QApplication>
#include <QEvent>
#include <QWidget>

#include "windowicon.h"

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

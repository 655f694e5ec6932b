// The yardstick of bench_startup: a bare Qt main window of the main screen's size,
// started and shown as the program is, reporting when it is first activated.

#include <QApplication>
#include <QElapsedTimer>
#include <QEvent>
#include <QMainWindow>
#include <QTextStream>
#include <QTimer>

using namespace Qt::StringLiterals;

namespace {

class BareWindow : public QMainWindow
{
public:
    explicit BareWindow(const QElapsedTimer &sinceStart) : m_sinceStart(sinceStart) {}

protected:
    bool event(QEvent *e) override
    {
        if (e->type() == QEvent::WindowActivate && !m_reported) {
            m_reported = true;
            QTextStream(stdout) << "main screen shown after " << m_sinceStart.nsecsElapsed() / 1e6
                                << " ms\n";
            QTimer::singleShot(0, qApp, &QApplication::quit);
        }
        return QMainWindow::event(e);
    }

private:
    const QElapsedTimer &m_sinceStart;
    bool m_reported = false;
};

} // namespace

int main(int argc, char **argv)
{
    QElapsedTimer sinceStart;
    sinceStart.start();
    QApplication app(argc, argv);
    QApplication::setApplicationName(u"barewindow"_s);
    BareWindow window(sinceStart);
    window.resize(1180, 720); // the main screen's size
    window.show();
    window.activateWindow();
    return app.exec();
}

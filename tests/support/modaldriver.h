#pragma once

#include <QApplication>
#include <QTimer>
#include <functional>
#include <memory>

// Acts once on the first modal window of type T to be up and active, from
// whichever event loop runs then: a dialog's own, or that of a box shown while
// the dialog activates. Keep the timer it gives until the window has been met.
template <typename T> std::unique_ptr<QTimer> WhenModal(std::function<void(T *)> act)
{
    auto driver = std::make_unique<QTimer>();
    driver->setInterval(10);
    QObject::connect(driver.get(), &QTimer::timeout, driver.get(),
                     [timer = driver.get(), act = std::move(act)] {
                         auto *window = qobject_cast<T *>(QApplication::activeModalWidget());
                         if (!window || !window->isActiveWindow())
                             return;
                         timer->stop();
                         act(window);
                     });
    driver->start();
    return driver;
}

#include "platform/qt/QtApplication.h"

#include <exception>

namespace platform {

QtApplication::QtApplication(int& argc, char** argv) : QApplication(argc, argv) {
    // Our own loop decides when the program ends, not the last window closing.
    setQuitOnLastWindowClosed(false);
}

bool QtApplication::notify(QObject* receiver, QEvent* event) {
    try {
        return QApplication::notify(receiver, event);
    } catch (const std::exception& e) {
        if (OnException)
            OnException(e.what());
    } catch (...) {
        if (OnException)
            OnException("Unknown error");
    }
    return false;
}

} // namespace platform

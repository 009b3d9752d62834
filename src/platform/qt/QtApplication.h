#pragma once

#include <QApplication>

#include <functional>
#include <string>

namespace platform {

// The Qt application object: an error escaping an event handler is shown with the standard
// error box and the program goes on, instead of unwinding through Qt.
class QtApplication : public QApplication {
    Q_OBJECT
public:
    QtApplication(int& argc, char** argv);

    std::function<void(const std::string&)> OnException;

    bool notify(QObject* receiver, QEvent* event) override;
};

} // namespace platform

#pragma once

#include <QApplication>
#include <QObject>
#include <QTimer>
#include <QWidget>

namespace kelvara::test {

// Runs `act` and hands `answer` the modal dialog of type D that `act` opens, as soon as its event loop runs.
// Returns whether such a dialog came.
template <class D, class Act, class Answer> bool answerModal(Act act, Answer answer) {
    bool came = false;
    QObject scope; // ends the watch with this call
    QTimer watch;
    watch.setInterval(0);
    QObject::connect(&watch, &QTimer::timeout, &scope, [&] {
        if (auto* dialog = qobject_cast<D*>(QApplication::activeModalWidget())) {
            watch.stop();
            came = true;
            answer(*dialog);
        }
    });
    watch.start();
    act();
    return came;
}

} // namespace kelvara::test

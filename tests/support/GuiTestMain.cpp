#include "GuiTestMain.h"

#include "guard/GuardedApplication.h"

void failTestsOnEscapedExceptions()
{
    GuardedApplication::setEscapeHandler([](const QString &message) {
        const QByteArray failure = "An exception crossed Qt's frames: " + message.toUtf8();
        QTest::qFail(failure.constData(), __FILE__, __LINE__);
    });
}

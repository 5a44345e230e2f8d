// GoogleTest's main with a QApplication around it. Offscreen unless told otherwise, also
// when the test list is read at build time, where no display may exist.
#include <gtest/gtest.h>

#include <QApplication>

namespace {

QtMessageHandler defaultHandler = nullptr;

// The offscreen platform reports every dialog's size hints as unsupported; the rest passes.
void quietMessages(QtMsgType type, const QMessageLogContext& context, const QString& message) {
    if (!message.contains("does not support propagateSizeHints")) {
        defaultHandler(type, context, message);
    }
}

}  // namespace

int main(int argc, char** argv) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) {
        qputenv("QT_QPA_PLATFORM", "offscreen");
    }
    defaultHandler = qInstallMessageHandler(quietMessages);
    QApplication app(argc, argv);
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}

#include "platform/qt/HelpBrowser.h"

#include <QStringDecoder>
#include <QTextDocument>

#include "platform/qt/ChmArchive.h"

namespace platform {

namespace {

const QString kScheme = QStringLiteral("chm");

// A page in the encoding its own header names, UTF-8 when it names none.
QString decodePage(const QByteArray& bytes) {
    QStringDecoder decoder(
        QStringConverter::encodingForHtml(bytes).value_or(QStringConverter::Utf8));
    return decoder.decode(bytes);
}

}  // namespace

HelpBrowser::HelpBrowser(QWidget* parent) : QTextBrowser(parent) {
    // Links out of the file (http:, mailto:) go to the desktop, not into this page.
    setOpenExternalLinks(true);
}

void HelpBrowser::setArchive(std::shared_ptr<const ChmArchive> archive) {
    archive_ = std::move(archive);
    clearHistory();
}

QUrl HelpBrowser::urlOf(const QString& topicPath) {
    QUrl url;
    url.setScheme(kScheme);
    url.setPath(topicPath);
    return url;
}

QVariant HelpBrowser::loadResource(int type, const QUrl& name) {
    if (name.scheme() != kScheme || !archive_) {
        return {};
    }
    const auto bytes = archive_->read(name.path().toStdString());
    if (!bytes) {
        return {};
    }
    const QByteArray data(bytes->data(), static_cast<qsizetype>(bytes->size()));
    switch (type) {
        case QTextDocument::HtmlResource:
            return decodePage(data);
        case QTextDocument::StyleSheetResource:
            return QString::fromUtf8(data);
        default:
            return data;  // pictures: the document decodes them itself
    }
}

}  // namespace platform

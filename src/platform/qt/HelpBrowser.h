#pragma once
// The page of the help viewer: a text browser whose documents, style sheets and pictures
// come from the open help file. Pages are addressed as "chm:/name.htm", so that links
// between topics resolve inside the file and keep the browser's back and forward history.

#include <QTextBrowser>
#include <memory>

namespace platform {

class ChmArchive;

class HelpBrowser final : public QTextBrowser {
    Q_OBJECT
public:
    explicit HelpBrowser(QWidget* parent = nullptr);

    // The help file the pages come from; the history of the previous one is dropped.
    void setArchive(std::shared_ptr<const ChmArchive> archive);
    // The address of a topic given by its path inside the help file.
    static QUrl urlOf(const QString& topicPath);

    QVariant loadResource(int type, const QUrl& name) override;

private:
    std::shared_ptr<const ChmArchive> archive_;
};

}  // namespace platform

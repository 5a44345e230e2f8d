#pragma once
// The help window: the contents of the help file as a list beside the topic shown, with
// back and forward buttons.

#include <QWidget>
#include <memory>

class QListWidget;
class QToolButton;

namespace platform {

class ChmArchive;
class HelpBrowser;

class HelpViewer final : public QWidget {
    Q_OBJECT
public:
    explicit HelpViewer(QWidget* parent = nullptr);

    // Shows `topicPath` of the help file `archive` (opened from `helpFile`). A file other than
    // the one shown replaces it, with its contents and a fresh history.
    void showTopic(std::shared_ptr<const ChmArchive> archive, const QString& helpFile,
                   const QString& topicPath);

    // What is shown, for the tests: the help file and the topic's path inside it.
    const QString& helpFile() const { return helpFile_; }
    QString topicPath() const;
    HelpBrowser& browser() const { return *browser_; }
    QListWidget& contents() const { return *contents_; }

protected:
    // Esc closes the viewer, as it closes every window of the program.
    void keyPressEvent(QKeyEvent* event) override;

private:
    void fillContents(const ChmArchive& archive);
    void markCurrentTopic(const QString& topic);

    QString helpFile_;
    HelpBrowser* browser_;
    QListWidget* contents_;
    QToolButton* back_;
    QToolButton* forward_;
};

}  // namespace platform

#include "platform/qt/HelpViewer.h"

#include <QHBoxLayout>
#include <QKeyEvent>
#include <QListWidget>
#include <QSplitter>
#include <QStyle>
#include <QToolButton>
#include <QVBoxLayout>

#include "platform/qt/ChmArchive.h"
#include "platform/qt/ChmContents.h"
#include "platform/qt/HelpBrowser.h"

namespace platform {

namespace {

constexpr int kTopicRole = Qt::UserRole;

QToolButton* historyButton(QWidget* parent, QStyle::StandardPixmap icon, const char* name,
                           const QString& tip) {
    auto* button = new QToolButton(parent);
    button->setObjectName(QString::fromLatin1(name));
    button->setIcon(parent->style()->standardIcon(icon));
    button->setToolTip(tip);
    button->setAutoRaise(true);
    button->setEnabled(false);
    return button;
}

}  // namespace

HelpViewer::HelpViewer(QWidget* parent) : QWidget(parent, Qt::Window) {
    setObjectName(QStringLiteral("HelpViewer"));
    // The program ends with its main window, whether or not help is open.
    setAttribute(Qt::WA_QuitOnClose, false);
    resize(800, 540);

    back_ = historyButton(this, QStyle::SP_ArrowBack, "keyBack", tr("Back"));
    forward_ = historyButton(this, QStyle::SP_ArrowForward, "keyForward", tr("Forward"));
    auto* buttons = new QHBoxLayout;
    buttons->addWidget(back_);
    buttons->addWidget(forward_);
    buttons->addStretch();

    contents_ = new QListWidget(this);
    contents_->setObjectName(QStringLiteral("lstContents"));
    browser_ = new HelpBrowser(this);
    browser_->setObjectName(QStringLiteral("txtTopic"));
    auto* splitter = new QSplitter(this);
    splitter->addWidget(contents_);
    splitter->addWidget(browser_);
    splitter->setStretchFactor(1, 1);
    splitter->setSizes({270, 530});

    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(4, 4, 4, 4);
    layout->addLayout(buttons);
    layout->addWidget(splitter, 1);

    connect(back_, &QToolButton::clicked, browser_, &QTextBrowser::backward);
    connect(forward_, &QToolButton::clicked, browser_, &QTextBrowser::forward);
    connect(browser_, &QTextBrowser::backwardAvailable, back_, &QWidget::setEnabled);
    connect(browser_, &QTextBrowser::forwardAvailable, forward_, &QWidget::setEnabled);
    connect(browser_, &QTextBrowser::sourceChanged, this, [this](const QUrl& source) {
        setWindowTitle(browser_->documentTitle());
        markCurrentTopic(source.path());
    });
    connect(contents_, &QListWidget::itemActivated, this, [this](QListWidgetItem* item) {
        const QString topic = item->data(kTopicRole).toString();
        if (!topic.isEmpty() && topic != topicPath()) {
            browser_->setSource(HelpBrowser::urlOf(topic));
        }
    });
    connect(contents_, &QListWidget::itemClicked, contents_, &QListWidget::itemActivated);
}

void HelpViewer::showTopic(std::shared_ptr<const ChmArchive> archive, const QString& helpFile,
                           const QString& topicPath) {
    const QUrl topic = HelpBrowser::urlOf(topicPath);
    // Another topic of the same file keeps the history, so that Back returns to the last one.
    if (helpFile == helpFile_) {
        browser_->setSource(topic);
        return;
    }
    fillContents(*archive);
    browser_->setArchive(std::move(archive));
    helpFile_ = helpFile;
    // The same topic of another file has the same address, which the browser would not load.
    if (browser_->source() == topic) {
        browser_->reload();
    } else {
        browser_->setSource(topic);
    }
}

void HelpViewer::keyPressEvent(QKeyEvent* event) {
    if (event->key() == Qt::Key_Escape) {
        close();
        return;
    }
    QWidget::keyPressEvent(event);
}

QString HelpViewer::topicPath() const {
    return browser_->source().path();
}

void HelpViewer::fillContents(const ChmArchive& archive) {
    contents_->clear();
    const auto sitemap = archive.contentsFile().empty() ? std::optional<std::string>()
                                                        : archive.read(archive.contentsFile());
    if (!sitemap) {
        return;
    }
    for (const ContentsEntry& entry : parseContents(*sitemap, archive.locale())) {
        auto* item = new QListWidgetItem(QString(entry.depth * 4, u' ') + entry.name, contents_);
        item->setData(kTopicRole, entry.topic);
    }
}

void HelpViewer::markCurrentTopic(const QString& topic) {
    for (int row = 0; row < contents_->count(); ++row) {
        QListWidgetItem* item = contents_->item(row);
        if (item->data(kTopicRole).toString().compare(topic, Qt::CaseInsensitive) == 0) {
            const QSignalBlocker quiet(contents_);
            contents_->setCurrentItem(item);
            return;
        }
    }
    contents_->clearSelection();
}

}  // namespace platform

#include "gui/HelpWindow.h"

#include "document/Tr.h"
#include "gui/UserDialogs.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QHelpContentWidget>
#include <QHelpEngine>
#include <QHelpIndexWidget>
#include <QHelpLink>
#include <QHelpSearchEngine>
#include <QHelpSearchQueryWidget>
#include <QHelpSearchResultWidget>
#include <QPointer>
#include <QSplitter>
#include <QStandardPaths>
#include <QTabWidget>
#include <QVBoxLayout>

QString HelpFilePath()
{
    const QString appDir = QCoreApplication::applicationDirPath();
    const QStringList candidates = {appDir + QStringLiteral("/tagmora.qch"),
                                    appDir + QStringLiteral("/../share/tagmora/tagmora.qch")};
    for (const QString& candidate : candidates) {
        if (QFileInfo(candidate).isFile())
            return QFileInfo(candidate).absoluteFilePath();
    }
    return QString();
}

QString HelpMissingMessage(const QString& helpFile)
{
    return Tr("Help", "Help file %1 not installed!\nHelp cannot be displayed.")
        .arg(helpFile.isEmpty() ? QStringLiteral("tagmora.qch") : helpFile);
}

QString HelpTopicMissingMessage(const QString& topic)
{
    return Tr("Help", "Help topic %1 cannot be loaded!").arg(topic);
}

THelpBrowser::THelpBrowser(QHelpEngine& engine, QWidget* parent) : QTextBrowser(parent), FEngine(engine)
{
    setAccessibleName(tr("Help page"));
}

QVariant THelpBrowser::loadResource(int type, const QUrl& name)
{
    if (name.scheme() == QLatin1String("qthelp"))
        return FEngine.fileData(name);
    return QTextBrowser::loadResource(type, name);
}

THelpWindow::THelpWindow(const QString& helpFile, QWidget* parent) : QMainWindow(parent)
{
    setWindowTitle(tr("Tagmora Help"));
    resize(900, 620);
    QString cache = QStandardPaths::writableLocation(QStandardPaths::CacheLocation);
    if (cache.isEmpty())
        cache = QDir::tempPath() + QStringLiteral("/tagmora");
    QDir().mkpath(cache);
    FEngine = new QHelpEngine(cache + QStringLiteral("/tagmora-help.qhc"), this);
    FEngine->setReadOnly(false);
    FEngine->setupData();
    FNamespace = QHelpEngineCore::namespaceName(helpFile);
    if (FNamespace.isEmpty())
        return;
    const QString registered = FEngine->documentationFileName(FNamespace);
    if (registered != helpFile) {
        if (!registered.isEmpty())
            FEngine->unregisterDocumentation(FNamespace);
        FEngine->registerDocumentation(helpFile);
    }
    FValid = FEngine->registeredDocumentations().contains(FNamespace);

    auto* splitter = new QSplitter(this);
    Tabs = new QTabWidget(splitter);
    Tabs->setAccessibleName(tr("Help navigation"));
    FEngine->contentWidget()->setAccessibleName(tr("Contents"));
    Tabs->addTab(FEngine->contentWidget(), tr("Contents"));
    FEngine->indexWidget()->setAccessibleName(tr("Index"));
    Tabs->addTab(FEngine->indexWidget(), tr("Index"));
    auto* search = new QWidget(Tabs);
    auto* searchLayout = new QVBoxLayout(search);
    QHelpSearchEngine* engine = FEngine->searchEngine();
    searchLayout->addWidget(engine->queryWidget());
    searchLayout->addWidget(engine->resultWidget(), 1);
    Tabs->addTab(search, tr("Search"));
    Browser = new THelpBrowser(*FEngine, splitter);
    splitter->addWidget(Tabs);
    splitter->addWidget(Browser);
    splitter->setStretchFactor(1, 3);
    setCentralWidget(splitter);

    const auto show = [this](const QUrl& url) { Browser->setSource(url); };
    connect(FEngine->contentWidget(), &QHelpContentWidget::linkActivated, this, show);
    connect(FEngine->indexWidget(), &QHelpIndexWidget::documentActivated, this,
            [this](const QHelpLink& link, const QString&) { Browser->setSource(link.url); });
    connect(FEngine->indexWidget(), &QHelpIndexWidget::documentsActivated, this,
            [this](const QList<QHelpLink>& links, const QString&) {
                if (!links.isEmpty())
                    Browser->setSource(links.first().url);
            });
    connect(engine->queryWidget(), &QHelpSearchQueryWidget::search, this,
            [engine] { engine->search(engine->queryWidget()->searchInput()); });
    connect(engine->resultWidget(), &QHelpSearchResultWidget::requestShowLink, this, show);
    connect(FEngine->contentWidget(), &QHelpContentWidget::clicked, this, [this](const QModelIndex& index) {
        if (QHelpContentItem* item = FEngine->contentModel()->contentItemAt(index))
            Browser->setSource(item->url());
    });
    connect(FEngine->contentModel(), &QHelpContentModel::contentsCreated, this,
            [this] { FEngine->contentWidget()->expandToDepth(0); });
    engine->reindexDocumentation();
}

THelpWindow::~THelpWindow() = default;

QUrl THelpWindow::TopicUrl(const QString& topic) const
{
    return QUrl(QStringLiteral("qthelp://%1/doc/html/%2").arg(FNamespace, topic));
}

bool THelpWindow::ShowTopic(const QString& topic)
{
    const QUrl url = TopicUrl(topic);
    if (!FValid || FEngine->fileData(url).isEmpty())
        return false;
    Browser->setSource(url);
    return true;
}

namespace {
QPointer<THelpWindow> gHelpWindow;
}

THelpWindow* HelpWindowInstance()
{
    return gHelpWindow.data();
}

bool ShowHelpTopic(const QString& topic, QWidget* owner)
{
    if (!gHelpWindow) {
        const QString file = HelpFilePath();
        if (file.isEmpty()) {
            Dialogs().MessageDlg(HelpMissingMessage(QString()), TMsgDlgType::mtError, mbOK);
            return false;
        }
        auto* window = new THelpWindow(file, nullptr);
        window->setAttribute(Qt::WA_DeleteOnClose, false);
        if (!window->IsValid()) {
            delete window;
            Dialogs().MessageDlg(HelpMissingMessage(file), TMsgDlgType::mtError, mbOK);
            return false;
        }
        gHelpWindow = window;
        if (owner)
            QObject::connect(owner, &QObject::destroyed, window, &QObject::deleteLater);
    }
    if (!gHelpWindow->ShowTopic(topic)) {
        Dialogs().MessageDlg(HelpTopicMissingMessage(topic), TMsgDlgType::mtError, mbOK);
        return false;
    }
    gHelpWindow->show();
    gHelpWindow->raise();
    gHelpWindow->activateWindow();
    return true;
}

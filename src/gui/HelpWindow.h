// The program's help: pages compiled into tagmora.qch (beside the program),
// shown in a window with contents, index and full-text search over QHelpEngine.
#pragma once

#include <QMainWindow>
#include <QString>
#include <QTextBrowser>

class QHelpEngine;
class QTabWidget;

// Where the compiled help is looked for: the program's folder, then
// ../share/tagmora (an installed tree). Empty when it is not found.
QString HelpFilePath();

// The message shown when the help cannot be displayed.
QString HelpMissingMessage(const QString& helpFile);
QString HelpTopicMissingMessage(const QString& topic);

class THelpBrowser : public QTextBrowser {
    Q_OBJECT
public:
    THelpBrowser(QHelpEngine& engine, QWidget* parent);
    QVariant loadResource(int type, const QUrl& name) override;

private:
    QHelpEngine& FEngine;
};

class THelpWindow : public QMainWindow {
    Q_OBJECT
public:
    // helpFile: the compiled help (.qch). The engine's collection lives in
    // the user's cache folder, so the program's folder may be read-only.
    explicit THelpWindow(const QString& helpFile, QWidget* parent = nullptr);
    ~THelpWindow() override;

    bool IsValid() const { return FValid; }
    // Shows a page ("tagmora.htm"); false when the help has no such page.
    bool ShowTopic(const QString& topic);
    QUrl TopicUrl(const QString& topic) const;

    QTabWidget* Tabs = nullptr;
    THelpBrowser* Browser = nullptr;

private:
    QHelpEngine* FEngine = nullptr;
    QString FNamespace;
    bool FValid = false;
};

// Opens the help window (created on first use, kept for the run) at topic.
// When the help files are missing the error box says so and nothing else happens.
// Returns whether the topic is shown.
bool ShowHelpTopic(const QString& topic, QWidget* owner);
// The window ShowHelpTopic uses (null before first use).
THelpWindow* HelpWindowInstance();

#pragma once

#include <QWidget>

class QComboBox;
class QLabel;
class QPushButton;
class QTextEdit;

namespace tamevo {

// The help window: one of two help topics, read from the text files "ygiris" and "ykasa" of
// the program folder.
class TyardimF : public QWidget {
    Q_OBJECT
public:
    TyardimF();

    // Shows the window with the entry screen's topic.
    void showEntryTopic();
    // Shows the window with the ledger's topic and the version in the status bar (from the
    // ledger and the movement windows).
    void showLedgerTopic();
    QString statusPanelText(int panel) const;

private:
    // Loads a topic file into the text box; a missing file leaves the box as it was.
    void loadTopic(const QString& fileName);
    void ComboBox1Change(int index);

    QList<QLabel*> statusPanels_;
    QComboBox* topicBox = nullptr;       // the topics
    QTextEdit* topicText = nullptr;      // the topic's text
    QPushButton* closeButton = nullptr;  // "KAPAT"
};

}  // namespace tamevo

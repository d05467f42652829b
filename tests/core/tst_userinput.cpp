// The input seam without the program's dialogs: who answers, what reaches the answerer,
// and what a program without any answerer gets.
#include <QLineEdit>
#include <QMessageBox>
#include <QStandardItemModel>
#include <QWidget>
#include <QtTest>

#include "core/userinput.h"
#include "tests/helpers/scriptedanswerer.h"

namespace {
// Stands in for the program's dialogs: records what it is asked, answers with a button.
class Recorder : public UserInput::Answerer
{
public:
    UserInput::Reply answer(const UserInput::Ask& ask) override
    {
        asked << ask;
        UserInput::Reply r;
        r.accepted = true;
        r.value = int(UserInput::Discard);
        return r;
    }
    QList<UserInput::Ask> asked;
};
}

class TstUserInput : public QObject
{
    Q_OBJECT
private slots:
    void cleanup() { UserInput::setDefaultAnswerer(nullptr); }

    // Scripted answers name buttons and echo modes with the toolkit's numbers.
    void buttonsAreTheToolkits()
    {
        QCOMPARE(int(UserInput::Ok), int(QMessageBox::Ok));
        QCOMPARE(int(UserInput::Save), int(QMessageBox::Save));
        QCOMPARE(int(UserInput::Yes), int(QMessageBox::Yes));
        QCOMPARE(int(UserInput::No), int(QMessageBox::No));
        QCOMPARE(int(UserInput::Cancel), int(QMessageBox::Cancel));
        QCOMPARE(int(UserInput::Discard), int(QMessageBox::Discard));
        QCOMPARE(int(UserInput::NoButton), int(QMessageBox::NoButton));
        QCOMPARE(int(UserInput::Password), int(QLineEdit::Password));
        QCOMPARE(int(UserInput::PasswordEchoOnEdit), int(QLineEdit::PasswordEchoOnEdit));
    }

    // A test's answerer comes first; without it the program's own answers, and it gets
    // what a dialog needs (parent, buttons, default button, echo).
    void scriptedBeforeTheProgramsOwn()
    {
        Recorder dialogs;
        UserInput::setDefaultAnswerer(&dialogs);
        QWidget parent;
        QCOMPARE(UserInput::question(&parent, "quorvandel7", "Speichern?",
                                     UserInput::Save | UserInput::Discard | UserInput::Cancel,
                                     UserInput::Save),
                 UserInput::Discard);
        QCOMPARE(dialogs.asked.size(), 1);
        const UserInput::Ask q = dialogs.asked.first();
        QCOMPARE(q.kind, UserInput::Question);
        QCOMPARE(q.parent, &parent);
        QCOMPARE(int(q.buttons), int(UserInput::Save | UserInput::Discard | UserInput::Cancel));
        QCOMPARE(q.preset.toInt(), int(UserInput::Save));
        {
            ScriptedAnswerer answers;
            answers.accept(UserInput::Question, int(QMessageBox::Yes));
            QCOMPARE(UserInput::question(nullptr, "t", "Weiter?"), UserInput::Yes);
            QCOMPARE(answers.asked.size(), 1);
            QCOMPARE(int(answers.asked.first().buttons), int(UserInput::Yes | UserInput::No));
        }
        QCOMPARE(dialogs.asked.size(), 1);
        bool ok = false;
        UserInput::getText(&parent, "Kennwort", "Kennwort:", UserInput::Password, "x", &ok);
        QCOMPARE(dialogs.asked.size(), 2);
        QCOMPARE(dialogs.asked.last().echo, UserInput::Password);
        QCOMPARE(dialogs.asked.last().preset.toString(), QString("x"));
    }

    // Nobody to answer (a program without a window that installed nothing): a message
    // is printed, not lost, and every question is declined with what it started from.
    void nobodyToAnswerDeclines()
    {
        QVERIFY(!UserInput::answerer());
        QTest::ignoreMessage(QtWarningMsg, "Import: Die Datei fehlt.");
        QCOMPARE(UserInput::warning(nullptr, "Import", "Die Datei fehlt."), UserInput::Ok);
        QTest::ignoreMessage(QtWarningMsg, "Fertig.");
        QCOMPARE(UserInput::information(nullptr, QString(), "Fertig."), UserInput::Ok);
        QCOMPARE(UserInput::question(nullptr, "t", "Löschen?"), UserInput::No);
        bool ok = true;
        QVERIFY(UserInput::getText(nullptr, "t", "Name:", UserInput::Normal, "alt", &ok)
                    .isNull());
        QVERIFY(!ok);
        ok = true;
        QCOMPARE(UserInput::getInt(nullptr, "t", "Zahl:", 7, 0, 10, 1, &ok), 7);
        QVERIFY(!ok);
        QCOMPARE(UserInput::getOrder(nullptr, "t", "l", {"b", "a"}, &ok),
                 QStringList({"b", "a"}));
        QVERIFY(UserInput::getOpenFileName(nullptr, "t", QString(), "*.csv").isEmpty());
        QVERIFY(!UserInput::getColor(Qt::red, nullptr).isValid());
        QStandardItemModel m(1, 2);
        QCOMPARE(UserInput::getColumn(nullptr, &m), -1);
    }
};

QTEST_MAIN(TstUserInput)
#include "tst_userinput.moc"

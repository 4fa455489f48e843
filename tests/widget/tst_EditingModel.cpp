// Random sequences of recording, selecting, correcting, deleting and
// undoing, applied to the real main window (offscreen, scripted platform)
// and to a small reference model of the record list, its selection and the
// undo buffer. After every step the rows, the selected row and the popup
// menu's enabled states must agree.
//
// Reproduce a failure with VELTRASA_MODEL_SEED=<seed> VELTRASA_MODEL_SEQUENCES=1.

#include <QPushButton>
#include <QtTest>
#include <optional>
#include <random>

#include "Scripted.h"
#include "ui/look/Fonts.h"
#include "ui/widgets/EditBoxWidget.h"
#include "ui/widgets/EventButtonWidget.h"
#include "ui/widgets/RecordListWidget.h"
#include "ui/widgets/RhythmButtonWidget.h"
#include "ui/windows/EditWindow.h"
#include "ui/windows/MainWindow.h"
#include "ui/windows/PopupMenu.h"

using namespace veltrasa;
using namespace veltrasa::testing;
using Item = RecordMenu::Item;

namespace {

// What the record should look like, from the description of the commands:
// the list of rows, the one selected row, and the single remembered change.
struct Model {
    QStringList rows;
    int selected = -1;
    // The remembered change: nothing, a removed row, or a row's text before
    // it was opened for correction.
    enum class Change { None, Removed, Corrected } change = Change::None;
    QString rememberedText;
    int rememberedAt = 0;

    bool undoOffered() const { return change != Change::None && !rememberedText.isEmpty(); }
    MenuStates menu() const { return {!rows.isEmpty(), !rows.isEmpty(), undoOffered()}; }

    void recorded(const QString& row)
    {
        rows.append(row);
        selected = static_cast<int>(rows.size()) - 1;
    }
    void remove()
    {
        if (selected < 0)
            return;
        change = Change::Removed;
        rememberedText = rows.takeAt(selected);
        rememberedAt = selected;
        selected = static_cast<int>(rows.size()) - 1; // the newest row, or none
    }
    // newText empty optional: the edit window was cancelled.
    void correct(const std::optional<QString>& newText)
    {
        if (selected < 0)
            return;
        change = Change::Corrected;
        rememberedText = rows[selected];
        rememberedAt = selected;
        if (newText)
            rows[selected] = *newText;
    }
    void undo()
    {
        if (!undoOffered())
            return;
        if (change == Change::Corrected)
            rows[rememberedAt] = rememberedText;
        else
            rows.insert(rememberedAt, rememberedText);
        selected = rememberedAt;
        change = Change::None;
        rememberedText.clear();
    }
};

// A small deterministic generator (the same sequences on every machine).
class Dice {
public:
    explicit Dice(quint32 seed) : engine_(seed) {}
    int below(int n) { return n <= 0 ? 0 : static_cast<int>(engine_() % static_cast<quint32>(n)); }
    bool chance(int percent) { return below(100) < percent; }

private:
    std::mt19937 engine_;
};

const QStringList kJapanese = {QStringLiteral("　除細動"), QStringLiteral("施行"), QStringLiteral("ｱﾄﾛﾋﾟﾝ"),
                               QStringLiteral("１ｍｇ"), QStringLiteral("・")};

quint32 envNumber(const char* name, quint32 fallback)
{
    bool ok = false;
    const quint32 v = qEnvironmentVariable(name).toUInt(&ok);
    return ok ? v : fallback;
}

class Runner {
public:
    Runner(MainWindow& window, ScriptedPlatform& services) : window_(window), services_(services)
    {
        window_.popup()->setShower([this](PopupMenu& m, const QPoint&) {
            shown_ = MenuStates::of(m);
            if (choice_)
                m.action(*choice_)->trigger(); // does nothing when disabled
        });
        window_.setEditWindowRunner([this](EditWindow& e) { driveEditWindow(e); });
    }

    // Runs one sequence; returns an empty string or what went wrong.
    QString run(quint32 seed, int steps)
    {
        dice_.emplace(seed);
        log_.clear();
        model_ = Model{};
        window_.recordList()->clear();
        window_.editing().clearUndoBuffer();
        for (int step = 0; step < steps; ++step) {
            QString error = oneStep();
            if (error.isEmpty())
                error = compare();
            if (!error.isEmpty())
                return QStringLiteral("seed %1, step %2: %3\n%4").arg(seed).arg(step).arg(error, log_.join('\n'));
        }
        return {};
    }

    struct {
        int corrected = 0, cancelled = 0, deleted = 0, undone = 0;
    } stats;

private:
    Dice& dice() { return *dice_; }

    QString oneStep()
    {
        const int kind = dice().below(100);
        if (kind < 22)
            return record();
        if (kind < 34)
            return leftClickRow();
        if (kind < 36) {
            log_ << QStringLiteral("clear the selection");
            window_.recordList()->select(-1);
            model_.selected = -1;
            return {};
        }
        const int c = dice().below(100);
        const std::optional<Item> choice = c < 35   ? std::optional<Item>(Item::Edit)
                                           : c < 65 ? std::optional<Item>(Item::Delete)
                                           : c < 92 ? std::optional<Item>(Item::Undo)
                                                    : std::nullopt;
        const MenuStates expected = model_.menu();
        const QString error = rightClick(choice);
        if (!error.isEmpty())
            return error;
        if (!(shown_ == expected))
            return QStringLiteral("menu shows %1, expected %2").arg(shown_.str(), expected.str());
        if (!choice)
            return {};
        switch (*choice) {
        case Item::Edit:
            if (expected.edit) {
                model_.correct(correction_);
                ++(correction_ ? stats.corrected : stats.cancelled);
            }
            break;
        case Item::Delete:
            if (expected.del) {
                model_.remove();
                ++stats.deleted;
            }
            break;
        case Item::Undo:
            if (expected.undo) {
                model_.undo();
                ++stats.undone;
            }
            break;
        case Item::Summary: // reads the record only; not chosen here
            break;
        }
        return {};
    }

    QString record()
    {
        services_.clock.advance(1 + dice().below(90));
        const int before = window_.recordList()->count();
        if (dice().chance(75)) {
            const int i = dice().below(kEventButtonCount - 1); // not CPR終了
            log_ << QStringLiteral("press Check1(%1)").arg(i);
            window_.eventButton(i)->click();
        } else {
            const int i = dice().below(kRhythmButtonCount);
            log_ << QStringLiteral("press Option1(%1)").arg(i);
            window_.rhythmButton(i)->click();
        }
        if (window_.recordList()->count() != before + 1)
            return QStringLiteral("a press appended %1 rows").arg(window_.recordList()->count() - before);
        model_.recorded(window_.recordList()->rowText(before));
        return {};
    }

    QPoint rowCentre(int row)
    {
        RecordListWidget* list = window_.recordList();
        list->scrollToItem(list->item(row));
        return list->visualItemRect(list->item(row)).center();
    }

    QString leftClickRow()
    {
        if (model_.rows.isEmpty())
            return {};
        const int row = dice().below(static_cast<int>(model_.rows.size()));
        log_ << QStringLiteral("left-click row %1").arg(row);
        QTest::mouseClick(window_.recordList()->viewport(), Qt::LeftButton, {}, rowCentre(row));
        model_.selected = row;
        return {};
    }

    // A right-button press somewhere on the list (on a row, often not the
    // selected one, or below the rows), then the choice.
    QString rightClick(std::optional<Item> choice)
    {
        choice_ = choice;
        shown_ = MenuStates{};
        const int target = dice().below(static_cast<int>(model_.rows.size()) + 1);
        const QPoint at =
            target < model_.rows.size() ? rowCentre(target) : QPoint(5, window_.recordList()->viewport()->height() - 3);
        const char* names[] = {"修正", "削除", "元に戻す"};
        log_ << QStringLiteral("right-click at row %1, choose %2")
                    .arg(target)
                    .arg(choice ? QString::fromUtf8(names[static_cast<int>(*choice)]) : QStringLiteral("nothing"));
        correction_.reset();
        editWindowError_.clear();
        QTest::mousePress(window_.recordList()->viewport(), Qt::RightButton, {}, at);
        QTest::mouseRelease(window_.recordList()->viewport(), Qt::RightButton, {}, at);
        choice_.reset();
        return editWindowError_;
    }

    // Plays the user in the edit window; sets correction_ to the text 変更
    // writes, or leaves it empty when the window is cancelled.
    void driveEditWindow(EditWindow& e)
    {
        const bool shown = dice().chance(4);
        if (shown) {
            e.show();
            if (!QTest::qWaitForWindowActive(&e))
                editWindowError_ = QStringLiteral("edit window not activated");
        }
        checkOpenedOnTheSelectedRow(e.editBox());
        changeTheText(e.editBox());
        if (dice().chance(20)) {
            log_ << QStringLiteral("  Enter and Escape in the box");
            QTest::keyClick(e.editBox(), Qt::Key_Return);
            QTest::keyClick(e.editBox(), Qt::Key_Escape);
            if (shown && !e.isVisible())
                editWindowError_ = QStringLiteral("Enter or Escape closed the edit window");
        }
        closeEditWindow(e, shown);
        if (e.isVisible())
            editWindowError_ = QStringLiteral("edit window still open");
    }

    // The box holds the selected row, the caret at its end, nothing selected.
    void checkOpenedOnTheSelectedRow(EditBoxWidget* box)
    {
        const QString selectedRow = model_.selected >= 0 ? model_.rows[model_.selected] : QString();
        if (box->text() != selectedRow || box->cursorPosition() != selectedRow.size() || box->hasSelectedText())
            editWindowError_ = QStringLiteral("edit window opened on \"%1\" caret %2, expected \"%3\" caret at end")
                                   .arg(box->text())
                                   .arg(box->cursorPosition())
                                   .arg(selectedRow);
    }

    // Leaves the text, types at its end, enters Japanese or clears the box.
    void changeTheText(EditBoxWidget* box)
    {
        switch (dice().below(4)) {
        case 0: // unchanged
            log_ << QStringLiteral("  leave the text");
            break;
        case 1:
            log_ << QStringLiteral("  type at the end");
            QTest::keyClicks(box, QStringLiteral("x%1").arg(dice().below(100)));
            break;
        case 2: {
            log_ << QStringLiteral("  enter Japanese");
            QInputMethodEvent commit;
            commit.setCommitString(kJapanese[dice().below(static_cast<int>(kJapanese.size()))]);
            QApplication::sendEvent(box, &commit);
            break;
        }
        case 3:
            log_ << QStringLiteral("  clear the box");
            QTest::keyClick(box, Qt::Key_A, Qt::ControlModifier);
            QTest::keyClick(box, Qt::Key_Backspace);
            break;
        }
    }

    // 変更 (clicked on a shown window), ｷｬﾝｾﾙ, the title bar's close, or
    // ｷｬﾝｾﾙ from the keyboard.
    void closeEditWindow(EditWindow& e, bool shown)
    {
        const QString typed = e.editBox()->text();
        switch (dice().below(6)) {
        case 0:
        case 1:
        case 2:
            log_ << QStringLiteral("  変更 \"%1\"").arg(typed);
            correction_ = typed;
            if (shown)
                QTest::mouseClick(e.changeButton(), Qt::LeftButton);
            else
                e.changeButton()->click();
            break;
        case 3:
            log_ << QStringLiteral("  ｷｬﾝｾﾙ");
            e.cancelButton()->click();
            break;
        case 4:
            log_ << QStringLiteral("  close by the title bar");
            e.close();
            break;
        case 5:
            log_ << QStringLiteral("  Tab to ｷｬﾝｾﾙ, Space");
            e.cancelButton()->setFocus(Qt::TabFocusReason);
            QTest::keyClick(e.cancelButton(), Qt::Key_Space);
            break;
        }
    }

    QString compare()
    {
        RecordList& list = *window_.recordList();
        QStringList rows;
        for (int i = 0; i < list.count(); ++i)
            rows << list.rowText(i);
        if (rows != model_.rows)
            return QStringLiteral("rows\n  [%1]\nexpected\n  [%2]")
                .arg(rows.join(QStringLiteral(" | ")), model_.rows.join(QStringLiteral(" | ")));
        if (list.selectedIndex() != model_.selected)
            return QStringLiteral("selected row %1, expected %2").arg(list.selectedIndex()).arg(model_.selected);
        // The menu as a right-button press would now show it, chosen nothing.
        const MenuStates expected = model_.menu();
        const QString error = rightClick(std::nullopt);
        log_.removeLast();
        if (!error.isEmpty())
            return error;
        if (!(shown_ == expected))
            return QStringLiteral("menu shows %1, expected %2").arg(shown_.str(), expected.str());
        if (list.selectedIndex() != model_.selected)
            return QStringLiteral("a right-button press moved the selection to %1").arg(list.selectedIndex());
        return {};
    }

    MainWindow& window_;
    ScriptedPlatform& services_;
    std::optional<Dice> dice_;
    Model model_;
    QStringList log_;
    std::optional<Item> choice_;
    MenuStates shown_;
    std::optional<QString> correction_;
    QString editWindowError_;
};

} // namespace

class EditingModelTest : public QObject {
    Q_OBJECT
private slots:
    void initTestCase() { installFontSubstitutes(); }

    void randomSequencesAgreeWithTheModel()
    {
        const quint32 firstSeed = envNumber("VELTRASA_MODEL_SEED", 20051);
        const quint32 sequences = envNumber("VELTRASA_MODEL_SEQUENCES", 3000);
        QElapsedTimer timer;
        timer.start();
        int steps = 0, corrected = 0, cancelled = 0, deleted = 0, undone = 0;
        std::unique_ptr<ScriptedPlatform> services;
        std::unique_ptr<MainWindow> window;
        std::unique_ptr<Runner> runner;
        for (quint32 i = 0; i < sequences; ++i) {
            // A fresh main window now and then; between, a cleared record.
            if (i % 500 == 0) {
                runner.reset();
                window.reset();
                services = std::make_unique<ScriptedPlatform>();
                window = std::make_unique<MainWindow>(services->platform());
                window->show();
                QVERIFY(QTest::qWaitForWindowExposed(window.get()));
                runner = std::make_unique<Runner>(*window, *services);
            }
            const quint32 seed = firstSeed + i;
            const int length = 1 + static_cast<int>(seed * 2654435761u % 40);
            const QString error = runner->run(seed, length);
            if (!error.isEmpty())
                QFAIL(qPrintable(error));
            steps += length;
            if (i % 500 == 499 || i + 1 == sequences) {
                QCOMPARE(services->messages.unexpectedQuestions, 0);
                const auto& s = runner->stats;
                corrected += s.corrected, cancelled += s.cancelled, deleted += s.deleted, undone += s.undone;
            }
        }
        qInfo("%u sequences, %d steps in %lld ms: %d corrections, %d cancelled, %d deletions, %d undone", sequences,
              steps, static_cast<long long>(timer.elapsed()), corrected, cancelled, deleted, undone);
    }
};

QTEST_MAIN(EditingModelTest)
#include "tst_EditingModel.moc"

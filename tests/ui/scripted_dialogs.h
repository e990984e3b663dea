#pragma once
// Test double of the dialogs: records every message box and answers from a
// script (message boxes confirm unless told otherwise; file dialogs return
// the queued paths, and cancel when none is queued).
#include <QStringList>
#include <deque>
#include <optional>

#include "ui/dialogs.h"

namespace r88::test {

class CScriptedDialogs : public ui::IDialogs {
public:
    struct Shown {
        QString title;
        QString text;
        bool textIsIdentifier;
        int buttons;
    };

    std::deque<int> answers;                        // next ShowMessage results
    std::deque<QString> openPaths;  // next OpenFile results; an empty path cancels
    std::deque<QString> savePaths;  // next SaveFile results; an empty path cancels
    std::vector<Shown> shown;

    int ShowMessage(QWidget*, const QString& title, const QString& text, int, bool textIsIdentifier,
                    int buttons) override {
        shown.push_back({title, text, textIsIdentifier, buttons});
        if (answers.empty()) return 1;
        const int a = answers.front();
        answers.pop_front();
        return a;
    }
    std::optional<QString> OpenFile(QWidget*, const ui::FileFilter&) override { return Next(openPaths); }
    std::optional<QString> SaveFile(QWidget*, const ui::FileFilter&) override { return Next(savePaths); }

    QStringList ShownTexts() const {
        QStringList texts;
        for (const Shown& s : shown) texts << s.text;
        return texts;
    }

private:
    static std::optional<QString> Next(std::deque<QString>& queue) {
        QString path;
        if (!queue.empty()) {
            path = queue.front();
            queue.pop_front();
        }
        if (path.isEmpty()) return std::nullopt;
        return std::optional<QString>(std::in_place, path);
    }
};

}  // namespace r88::test

// Helpers shared by the desktop program's widget tests: hooks that answer
// message boxes, modal dialogs and file prompts, and small graphs.
#pragma once

#include <functional>

#include <QDialog>
#include <QString>
#include <QStringList>

#include "cycle/cycle.h"
#include "framework/dialog.h"
#include "framework/filedialog.h"
#include "framework/messagebox.h"
#include "resource.h"

namespace apptest {

// Records every message box and answers with a fixed button.
struct MessageRecorder {
    QStringList messages;
    int answer = IDOK;
    MessageRecorder()
    {
        app::SetMessageBoxHook([this](const QString& text, unsigned) {
            messages << text;
            return answer;
        });
    }
    ~MessageRecorder() { app::SetMessageBoxHook({}); }
};

// Plays the user's part in every modal dialog while it lives.
struct ModalScript {
    explicit ModalScript(std::function<int(QDialog*)> play) { app::SetModalHook(std::move(play)); }
    ~ModalScript() { app::SetModalHook({}); }
};

// Answers every file prompt with path.
struct FileAnswer {
    explicit FileAnswer(const QString& path)
    {
        app::SetFileDialogHook([path](bool, const QString&) { return path; });
    }
    ~FileAnswer() { app::SetFileDialogHook({}); }
};

// The knight's graph of a rows x cols board, squares numbered row by row.
inline void MakeKnightGraph(CBitGraph& g, int rows, int cols)
{
    g.SetDim(static_cast<short>(rows * cols));
    g = true;
    const int moves[8][2] = {{1, 2}, {2, 1}, {-1, 2}, {-2, 1}, {1, -2}, {2, -1}, {-1, -2}, {-2, -1}};
    for (int r = 0; r < rows; ++r)
        for (int k = 0; k < cols; ++k)
            for (auto& m : moves) {
                const int r2 = r + m[0], k2 = k + m[1];
                if (r2 >= 0 && r2 < rows && k2 >= 0 && k2 < cols)
                    g.SetEdge(static_cast<short>(r * cols + k + 1),
                              static_cast<short>(r2 * cols + k2 + 1));
            }
    g.CalcDeg();
}

}  // namespace apptest

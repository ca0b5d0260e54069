#pragma once

// What the benchmarks that drive the real main window share: answering its boxes as a user would and selecting
// every row.
#include "BenchSupport.h"
#include "MP3ListModel.h"
#include "MP3ListView.h"
#include "TMainForm.h"

#include <QtCore/QTimer>
#include <QtWidgets/QApplication>
#include <QtWidgets/QMessageBox>

namespace bench {

// Yes to the command's confirmation, No to the question captioned noCaption (save the loaded file first?). Any
// other box is a failure report, answered and counted. The command's loop over the files starts with the last
// answer.
class BoxAnswerer {
public:
    int Failures = 0;
    Clock::time_point LastAnswer = Clock::now();

    explicit BoxAnswerer(const QString& noCaption)
    {
        QObject::connect(&Timer, &QTimer::timeout, [this, noCaption] {
            auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
            if (!box || !box->isVisible())
                return;
            if (box->text().startsWith(QStringLiteral("ACTION:")))
                box->button(QMessageBox::Yes)->click();
            else if (box->windowTitle() == noCaption)
                box->button(QMessageBox::No)->click();
            else
                ++Failures, box->buttons()[0]->click();
            LastAnswer = Clock::now();
        });
        Timer.start(0);
    }

private:
    QTimer Timer;
};

// Every listed file selected, the first one shown in the editor, as after a click and Ctrl+A.
inline void SelectAll(TMainForm& main)
{
    main.Selected3->selectionModel()->select(main.ListModel->index(0, 0),
                                             QItemSelectionModel::ClearAndSelect | QItemSelectionModel::Rows);
    emit main.Selected3->Clicked();
    main.Selected3->selectAll();
}

} // namespace bench

#include "TFileInfoForm.h"

TFileInfoForm::TFileInfoForm(QWidget* parent)
    : QDialog(parent)
{
    setupUi(this);
}

void TFileInfoForm::ShowDefaults(const QString& path)
{
    Filename->setText(path);
    for (auto [label, text] : {std::pair{Bytes, "unknown bytes"}, {Sync, "unknown bytes"}, {Type, "Unknown"},
                               {Bitrate, "unknown kbps"}, {Freq, "unknown Hz"}, {Audio, "Unknown"},
                               {Length, "unknown seconds"}, {FrameSize, "unknown bytes"}, {NumFrames, "Unknown"},
                               {ID3v1, "No"}, {ID3v2, "No"}, {ID3v2Size, "NA"}, {CRC, "Unknown"},
                               {Copyright, "Unknown"}, {Original, "Unknown"}, {Emphasis, "Unknown"}})
        label->setText(QString::fromLatin1(text));
}

void TFileInfoForm::showEvent(QShowEvent* event)
{
    QDialog::showEvent(event);
    CloseBtn->setFocus();
}

// File information: one file's size, tags and first MPEG audio frame, shown in the file information dialog.
#include "TMainForm.h"

#include "DisplayName.h"
#include "FileInformation.h"
#include "TFileInfoForm.h"

#include <QtCore/QLocale>

namespace {

// The number with the user's thousands separator.
QString Grouped(std::int64_t number)
{
    return QLocale().toString(static_cast<qlonglong>(number));
}

QString YesNo(bool yes)
{
    return yes ? QStringLiteral("Yes") : QStringLiteral("No");
}

} // namespace

void TMainForm::FileInfoMIClick()
{
    const auto row = OnlySelectedRow(QStringLiteral("You must have only one MP3 selected to use this option!"));
    if (!row)
        return;
    const std::string path = ItemPath(*row);
    FileInfoForm->ShowDefaults(DisplayName(path));
    if (const FileInformation information = ReadFileInformation(path); information.Readable)
        ShowFileInfo(information);
    FileInfoForm->exec();
}

void TMainForm::ShowFileInfo(const FileInformation& information)
{
    TFileInfoForm& form = *FileInfoForm;
    form.Bytes->setText(Grouped(information.Size) + QStringLiteral(" bytes"));
    if (information.HasID3v1)
        form.ID3v1->setText(YesNo(true));
    if (information.HasID3v2) {
        form.ID3v2->setText(YesNo(true));
        form.ID3v2Size->setText(Grouped(information.ID3v2Size) + QStringLiteral(" bytes"));
    }
    const MPEGAudioProperties& audio = information.Audio;
    if (!audio.Found())
        return;
    const MPEGHeader& header = audio.Header();
    form.Sync->setText(Grouped(audio.SyncOffset()) + QStringLiteral(" bytes"));
    form.Type->setText(QString::fromStdString(audio.VersionText()));
    form.Bitrate->setText(QString::number(audio.Bitrate()) + QStringLiteral(" kbps"));
    form.Freq->setText(Grouped(audio.SampleRate()) + QStringLiteral(" Hz"));
    form.Audio->setText(QString::fromStdString(header.ChannelModeName()));
    form.Length->setText(QString::fromStdString(audio.LengthText()));
    form.FrameSize->setText(QString::number(audio.FrameLength()) + QStringLiteral(" bytes"));
    form.NumFrames->setText(QStringLiteral("~%1 frames").arg(audio.FrameCount()));
    form.CRC->setText(YesNo(header.Protection == 0));
    form.Copyright->setText(YesNo(header.Copyright != 0));
    form.Original->setText(YesNo(header.Original != 0));
    form.Emphasis->setText(QString::fromStdString(header.EmphasisName()));
}

#include "TMainForm.h"

#include "EditorLists.h"
#include "EngineText.h"
#include "MessageBoxes.h"
#include "SchemeMacro.h"
#include "SettingsStore.h"
#include "TFiltersForm.h"
#include "TOptionsForm.h"
#include "TypingLimit.h"

#include <QtGui/QCloseEvent>
#include <QtGui/QScreen>
#include <QtWidgets/QApplication>
#include <QtWidgets/QMenu>

namespace {

constexpr int ImportSchemeLimit = 100;

} // namespace

TMainForm::TMainForm(QWidget* parent)
    : QMainWindow(parent)
{
    setupUi(this);
    Editor.emplace(*this);
    // A system menu, minimise and close, but no maximise: the layout is made for this size.
    setWindowFlags(Qt::Window | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowSystemMenuHint
                   | Qt::WindowMinimizeButtonHint | Qt::WindowCloseButtonHint);
    CentreOnDesktop();
    for (std::size_t i = 0; i < Bitmaps.size(); ++i)
        Bitmaps[i] = QPixmap(QStringLiteral(":/list/%1.png").arg(i));
    BuildPopupMenus();
    SetUpList();
    SetUpEditor();
    ConnectTagCommands();
    connect(AddFilesMI, &QAction::triggered, this, &TMainForm::AddFilesMIClick);
    connect(AddDirectoryMI, &QAction::triggered, this, &TMainForm::AddDirectoryMIClick);
    connect(ExitMI, &QAction::triggered, this, &QWidget::close);
    connect(FiltersMI, &QAction::triggered, this, [this] { FiltersForm->exec(); });
    connect(OptionsMI, &QAction::triggered, this, [this] { OptionsForm->exec(); });
    connect(FileInfoMI, &QAction::triggered, this, &TMainForm::FileInfoMIClick);
    for (QAction* play : {PlayMP3MI, PlayMP3})
        connect(play, &QAction::triggered, this, &TMainForm::PlayMP3MIClick);
    connect(Selected3, &MP3ListView::DoubleClicked, this, &TMainForm::PlayMP3MIClick);
    connect(ContentsMI, &QAction::triggered, this, &TMainForm::ContentsMIClick);
    connect(AboutMI, &QAction::triggered, this, &TMainForm::AboutMIClick);

    RenScheme->setCurrentIndex(1);
    ImportCB->setCurrentIndex(1);
    LoadSettings();
    ProgramDirectory = QCoreApplication::applicationDirPath() + QLatin1Char('/');
    hasID3v1Bmp->setPixmap(Image(TagAbsentImage));
    hasID3v2Bmp->setPixmap(Image(TagAbsentImage));
}

TMainForm::~TMainForm() = default;

void TMainForm::AttachDialogs(TFileInfoForm& fileInfo, TFiltersForm& filters, TLoadingForm& loading,
                              TAboutForm& about, TPickerForm& picker, TOptionsForm& options)
{
    FileInfoForm = &fileInfo;
    FiltersForm = &filters;
    LoadingForm = &loading;
    AboutForm = &about;
    PickerForm = &picker;
    OptionsForm = &options;
}

void TMainForm::CentreOnDesktop()
{
    const QRect desktop = screen()->availableGeometry();
    move(desktop.center() - rect().center());
}

void TMainForm::BuildPopupMenus()
{
    // Quick options: check items that Qt flips on a click; a new state takes effect at the next
    // command that reads it.
    OptionsMenu = new QMenu(this);
    OptionsMenu->setObjectName(QStringLiteral("OptionsMenu"));
    OptionsMenu->addActions({PadTrack, CapitalizeFirst, SaveOnRen, IgnoreID3});
    OptionsMenu->addSeparator();
    OptionsMenu->addAction(ConfirmOnRename);
    OptionsBtn->setMenu(OptionsMenu);

    // Shown by the list's own context handler, never by itself.
    MP3Options = new QMenu(this);
    MP3Options->setObjectName(QStringLiteral("MP3Options"));
    MP3Options->addAction(PlayMP3);
    MP3Options->addSeparator();
    MP3Options->addActions({WriteID3v1, WriteID3v2, CreateID3v1, CreateID3v2});
}

void TMainForm::SetUpEditor()
{
    for (QComboBox* year : {Year, YearV2}) {
        year->addItems(YearSuggestions());
        year->setCurrentIndex(-1);
    }
    for (QComboBox* genre : {Genre, GenreV2}) {
        genre->addItems(GenreEntries());
        genre->setCurrentIndex(-1);
    }
    for (QComboBox* scheme : {RenScheme, ImportCB})
        for (const std::string_view text : DefaultSchemes)
            scheme->addItem(FromEngineText(text));
    ImportCB->setValidator(new TypingLimit(ImportSchemeLimit, *ImportCB->lineEdit()));
    for (QLabel* label : {v22Lbl, v23Lbl, v24Lbl})
        ShowVersionLabel(*label, false);
    connect(UseImport, &QCheckBox::toggled, this, &TMainForm::UseImportClick);
    for (QWidget* filtered : std::initializer_list<QWidget*> {Track, TrackV2, Genre})
        filtered->installEventFilter(this);
    for (const FieldInfo& field : Fields()) {
        QWidget& control = Editor->Control(field.Id);
        auto* box = qobject_cast<QComboBox*>(&control);
        QLineEdit* edit = box ? box->lineEdit() : qobject_cast<QLineEdit*>(&control);
        if (!edit)
            continue;
        if (field.TypingLimit > 0)
            edit->setValidator(new TypingLimit(field.TypingLimit, *edit));
        connect(edit, &QLineEdit::returnPressed, this, &TMainForm::PressDefaultButton);
    }
}

void TMainForm::ConnectTagCommands()
{
    connect(SaveBtn, &QPushButton::clicked, this, &TMainForm::SaveBtnClick);
    connect(DeleteBtn, &QPushButton::clicked, this, &TMainForm::DeleteBtnClick);
    connect(DeleteID3v1Btn, &QAbstractButton::clicked, this, [this] { DeleteID3BtnClick(TagVersion::ID3v1); });
    connect(DeleteID3v2Btn, &QAbstractButton::clicked, this, [this] { DeleteID3BtnClick(TagVersion::ID3v2); });
    for (const FieldInfo& field : Fields())
        connect(&Editor->ApplyButton(field.Id), &QPushButton::clicked, this, [this, id = field.Id] { ApplyToAllClick(id); });
    connect(v1tov2Btn, &QPushButton::clicked, this, &TMainForm::v1tov2BtnClick);
    connect(v2tov1Btn, &QPushButton::clicked, this, &TMainForm::v2tov1BtnClick);
    connect(CreateID3v1, &QAction::triggered, this, &TMainForm::CreateID3v1Click);
    connect(CreateID3v2, &QAction::triggered, this, &TMainForm::CreateID3v2Click);
    connect(RenameBtn, &QPushButton::clicked, this, &TMainForm::RenameBtnClick);
    connect(UndoRenameMI, &QAction::triggered, this, &TMainForm::UndoRenameMIClick);
    connect(HelpBtn, &QToolButton::clicked, this, &TMainForm::HelpBtnClick);
    connect(WriteID3v1, &QAction::triggered, this, [this] { WriteID3Click(TagVersion::ID3v1); });
    connect(WriteID3v2, &QAction::triggered, this, [this] { WriteID3Click(TagVersion::ID3v2); });
}

void TMainForm::ShowVersionLabel(QLabel& label, bool isTagVersion)
{
    QPalette colours = label.palette();
    const QPalette::ColorGroup group = isTagVersion ? QPalette::Active : QPalette::Disabled;
    colours.setColor(QPalette::WindowText, palette().color(group, QPalette::WindowText));
    label.setPalette(colours);
}

void TMainForm::UseImportClick()
{
    ImportCB->setEnabled(UseImport->isChecked());
}

bool TMainForm::ConfirmYesNo(const QString& caption, const QString& text)
{
    return AskYesNo(caption, text);
}

bool TMainForm::ConfirmAction(const QString& text)
{
    return ConfirmYesNo(QStringLiteral("Warning"), QStringLiteral("ACTION:\n") + text);
}

QString TMainForm::AllSelectedQuestion(const QString& action, const std::vector<std::pair<bool, QString>>& points)
{
    QString text = action + QLatin1Char('\n');
    for (const auto& [applies, point] : points)
        if (applies)
            text += QStringLiteral("  * ") + point + QLatin1Char('\n');
    return text;
}

void TMainForm::SaveScreenCursor()
{
    const QCursor* current = QApplication::overrideCursor();
    SavedCursor = current ? std::optional(current->shape()) : std::nullopt;
}

void TMainForm::RestoreScreenCursor()
{
    // Pop what the caller pushed since the save, however much that was, but nothing older.
    while (const QCursor* current = QApplication::overrideCursor()) {
        if (SavedCursor && current->shape() == *SavedCursor)
            break;
        QApplication::restoreOverrideCursor();
    }
}

void TMainForm::RunWaiting(const std::function<void()>& work)
{
    SaveScreenCursor();
    QApplication::setOverrideCursor(Qt::WaitCursor);
    work();
    RestoreScreenCursor();
}

void TMainForm::ForEachSelectedItem(const std::function<void(int)>& action)
{
    RunWaiting([&] {
        for (int i = 0; i < RowCount(); ++i) {
            if (!IsRowSelected(i))
                continue;
            action(i);
            DeselectRow(i);
        }
    });
    OptionsForm->EndOfJobBeep();
    LoadedIndex = 0;
}

bool TMainForm::LoadSettings()
{
    const SettingsStore settings;
    if (!settings.Exists())
        return false;
    for (auto [name, control] : {std::pair{"PadTrack", PadTrack}, {"CapitalizeFirst", CapitalizeFirst},
                                 {"SaveOnRen", SaveOnRen}, {"IgnoreID3", IgnoreID3}}) {
        const auto checked = settings.ReadBool(QString::fromLatin1(name));
        if (!checked)
            return false;
        control->setChecked(*checked);
    }
    const auto useImport = settings.ReadBool(QStringLiteral("UseImport"));
    if (!useImport)
        return false;
    UseImport->setChecked(*useImport);
    const auto confirm = settings.ReadBool(QStringLiteral("ConfirmOnRename"));
    if (!confirm)
        return false;
    ConfirmOnRename->setChecked(*confirm);
    ImportCB->setEditText(settings.ReadString(QStringLiteral("ImportCB")));
    RenScheme->setEditText(settings.ReadString(QStringLiteral("RenScheme")));
    return true;
}

bool TMainForm::SaveSettings()
{
    SettingsStore settings;
    for (auto [name, checked] : {std::pair{"PadTrack", PadTrack->isChecked()},
                                 {"CapitalizeFirst", CapitalizeFirst->isChecked()},
                                 {"SaveOnRen", SaveOnRen->isChecked()}, {"IgnoreID3", IgnoreID3->isChecked()},
                                 {"UseImport", UseImport->isChecked()},
                                 {"ConfirmOnRename", ConfirmOnRename->isChecked()}})
        if (!settings.WriteBool(QString::fromLatin1(name), checked))
            return false;
    if (!FiltersForm)
        return false;
    return settings.WriteBool(QStringLiteral("ImpFilters"), FiltersForm->ImpFilters->isChecked())
        && settings.WriteBool(QStringLiteral("RenFilters"), FiltersForm->RenFilters->isChecked())
        && settings.WriteString(QStringLiteral("ImportCB"), ImportCB->currentText())
        && settings.WriteString(QStringLiteral("RenScheme"), RenScheme->currentText());
}

void TMainForm::closeEvent(QCloseEvent* event)
{
    FormClose();
    QMainWindow::closeEvent(event);
}

void TMainForm::FormClose()
{
    SaveSettings();
}

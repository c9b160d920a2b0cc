#include "window/frm_main.h"

#include <algorithm>
#include <cstdint>
#include <map>
#include <string>

#include <QAction>
#include <QBitmap>
#include <QCheckBox>
#include <QCloseEvent>
#include <QEvent>
#include <QFile>
#include <QFont>
#include <QFrame>
#include <QGroupBox>
#include <QIcon>
#include <QLabel>
#include <QLayout>
#include <QLineEdit>
#include <QMenu>
#include <QMenuBar>
#include <QPainter>
#include <QPixmap>
#include <QPolygon>
#include <QPushButton>
#include <QRadioButton>
#include <QScreen>

#include "engine/application_identity.h"
#include "engine/clean_command.h"
#include "engine/numeric_text.h"
#include "progressbar/progress_bar_widget.h"
#include "progressbar/property_store.h"
#include "window/dialogs.h"
#include "window/display_text.h"
#include "window/file_list_box.h"
#include "window/window_rules.h"

// Resources of a static library must be registered by name, outside any namespace.
static void InitWindowResources() {
    Q_INIT_RESOURCE(window);
}

namespace klarwell::window {

namespace {

using engine::Answer;
using engine::Buttons;
using engine::Icon;

constexpr std::string_view kBrowseTitle = "Please select the source folder.";
constexpr std::string_view kChoosePathMessage = "You must choose a path before proceeding";
constexpr std::string_view kSelectFolderStatus = "Please select source folder";
constexpr std::string_view kNoPathStatus = "No path selected.  Process canceled.";
constexpr std::string_view kNoPathCaption = "(No Path Selected)";
constexpr std::string_view kInvalidCharTitle = "Invalid Character Entered";
constexpr std::string_view kInvalidCharHashAllowed =
    "File names can not contain the characters /, \\, :, ?, \", <, >, |, ', @, $, %, ^, ~, or &";
constexpr std::string_view kInvalidCharHashForbidden =
    "File names can not contain the characters /, \\, :, ?, \", <, >, |, ', @, #, $, %, ^, ~, or &";
constexpr std::string_view kDescription =
    "Klarwell scans through the source folder removing apostrophes and other troublesome "
    "characters of .wav, .mp3, and .krt files.  It will also remove a space at the front or end "
    "of the filename.  You can also add a prefix and/or suffix, and replace user-defined "
    "keywords.";

// The stored definition of the progress bar on this window.
constexpr std::int32_t kProgressBarExtentX = 6271;
constexpr std::int32_t kProgressBarExtentY = 450;
constexpr std::int32_t kProgressBarColor = 12937777;

constexpr int kTwipsPerPixel = 15;
const QColor kPictureTransparent(255, 0, 255);

QString Text(std::string_view text) {
    return DisplayText(text);
}

std::string Bytes(const QString& text) {
    return text.toUtf8().toStdString();
}

int Pixels(int twips) {
    return static_cast<int>(engine::RoundHalfEven(static_cast<double>(twips) / kTwipsPerPixel));
}

// A control's place as the window's layout file states it.
const TwipsRect& LayoutPlace(const QString& name) {
    static const std::map<QString, TwipsRect> layout = [] {
        QFile file(QStringLiteral(":/window/frm_main.layout"));
        static_cast<void>(file.open(QIODevice::ReadOnly));
        return ReadLayout(QString::fromUtf8(file.readAll()));
    }();
    return layout.at(name);
}

// Gives a control its name and its place.
template <typename Control>
Control* Place(Control* control, const QString& name) {
    const TwipsRect& place = LayoutPlace(name);
    control->setObjectName(name);
    control->setGeometry(Pixels(place.Left), Pixels(place.Top), Pixels(place.Width),
                         Pixels(place.Height));
    return control;
}

QString Indexed(const char* name, int index) {
    return QStringLiteral("%1(%2)").arg(QLatin1String(name)).arg(index);
}

QFont ControlFont(const char* family, double points, bool bold = false) {
    QFont font{QLatin1String(family)};
    font.setPointSizeF(points);
    font.setBold(bold);
    return font;
}

// A 16 by 16 button picture with its magenta drawn transparent.
QIcon ButtonPicture(const QString& resource) {
    QPixmap picture(resource);
    picture.setMask(picture.createMaskFromColor(kPictureTransparent, Qt::MaskInColor));
    return QIcon(picture);
}

// The small triangle of the digit count buttons.
QIcon Arrow(bool up) {
    QPixmap picture(7, 4);
    picture.fill(Qt::transparent);
    QPainter painter(&picture);
    painter.setPen(Qt::NoPen);
    painter.setBrush(Qt::black);
    const QPolygon triangle = up ? QPolygon({QPoint(3, 0), QPoint(7, 4), QPoint(0, 4)})
                                 : QPolygon({QPoint(0, 0), QPoint(7, 0), QPoint(3, 4)});
    painter.drawPolygon(triangle);
    return QIcon(picture);
}

}  // namespace

frmMain::frmMain(Dialogs& dialogs, engine::FileSystem& fs, engine::CleanupLog& log, QWidget* parent)
    : QMainWindow(parent), m_Dialogs(dialogs), m_FileSystem(fs), m_Log(log) {
    InitWindowResources();
    setObjectName(QStringLiteral("frmMain"));
    // A fixed dialog frame: a close box, no minimise or maximise.
    setWindowFlags(Qt::Window | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                   Qt::WindowSystemMenuHint | Qt::WindowCloseButtonHint);
    setWindowTitle(Text(engine::kApplicationTitle));
    QIcon icon;
    for (const int size : {16, 24, 32, 48}) {
        icon.addFile(QStringLiteral(":/window/icon%1.png").arg(size), QSize(size, size));
    }
    setWindowIcon(icon);
    CreateControls();
    ConnectHandlers();
    SetTabOrder();
    layout()->setSizeConstraint(QLayout::SetFixedSize);
    cmdBrowse->setFocus();
    Form_Load();
}

frmMain::~frmMain() = default;

void frmMain::CreateControls() {
    auto* client = new QWidget(this);
    client->setFixedSize(Place(client, QStringLiteral("client"))->size());
    client->setFont(ControlFont("Liberation Sans", 7.5));
    setCentralWidget(client);

    mnuFile = menuBar()->addMenu(QStringLiteral("&File"));
    mnuFile->setObjectName(QStringLiteral("mnuFile"));
    mnuExit = mnuFile->addAction(QStringLiteral("Exit"));
    mnuExit->setObjectName(QStringLiteral("mnuExit"));
    mnuExit->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_X));
    mnuHelp = menuBar()->addMenu(QStringLiteral("&Help"));
    mnuHelp->setObjectName(QStringLiteral("mnuHelp"));
    mnuAbout = mnuHelp->addAction(QStringLiteral("&About"));
    mnuAbout->setObjectName(QStringLiteral("mnuAbout"));

    Frame2 = Place(new QFrame(client), QStringLiteral("Frame2"));
    Frame2->setFrameShape(QFrame::Box);
    Frame2->setFrameShadow(QFrame::Sunken);
    Frame2->setAutoFillBackground(true);
    QPalette white = Frame2->palette();
    white.setColor(QPalette::Window, Qt::white);
    Frame2->setPalette(white);

    Image1 = Place(new QLabel(Frame2), QStringLiteral("Image1"));
    Image1->setPixmap(QPixmap(QStringLiteral(":/window/banner.png")));

    Label1[2] = Place(new QLabel(QStringLiteral("Orvane Klarwell"), Frame2), Indexed("Label1", 2));
    Label1[2]->setFont(ControlFont("Liberation Sans", 19.5, true));
    QPalette black = Label1[2]->palette();
    black.setColor(QPalette::WindowText, Qt::black);
    Label1[2]->setPalette(black);

    Label1[0] = Place(new QLabel(Text(kDescription), client), Indexed("Label1", 0));
    Label1[0]->setFont(ControlFont("Liberation Sans", 7.5, true));
    Label1[0]->setWordWrap(true);
    Label1[0]->setAlignment(Qt::AlignLeft | Qt::AlignTop);

    Label4 = Place(new QLabel(QStringLiteral("File List:"), client), QStringLiteral("Label4"));
    lblFilePath = Place(new QLabel(Text(kNoPathCaption), client), QStringLiteral("lblFilePath"));
    lblFilePath->setAlignment(Qt::AlignRight | Qt::AlignTop);
    // Folder names may hold "<" and "&": never read them as markup.
    lblFilePath->setTextFormat(Qt::PlainText);

    File1 = Place(new FileListBox(m_FileSystem, client), QStringLiteral("File1"));

    ChkRemoveDigits = Place(
        new QCheckBox(QStringLiteral("Remove Digits from start of Filename (use with caution!)"),
                      client),
        QStringLiteral("ChkRemoveDigits"));
    ChkRemovePostDigits =
        Place(new QCheckBox(
                  QStringLiteral("Remove Digits from end of Filename (use with caution!)"), client),
              QStringLiteral("ChkRemovePostDigits"));

    const char* optionCaptions[] = {
        "Replace Spaces with Underscores", "Replace Underscores with Spaces",
        "Remove Spaces and Underscores", "Don't Change Spaces or Underscores"};
    for (int i = 0; i < 4; ++i) {
        optUnderscore[i] = Place(new QRadioButton(QLatin1String(optionCaptions[i]), client),
                                 Indexed("optUnderscore", i));
    }
    optUnderscore[0]->setChecked(true);

    Frame3 = Place(new QGroupBox(QStringLiteral("Optional Replacements"), client),
                   QStringLiteral("Frame3"));
    Label2 = Place(new QLabel(QStringLiteral("Replace...      ...With"), Frame3),
                   QStringLiteral("Label2"));
    for (int i = 0; i < engine::kReplacementCount; ++i) {
        chkReplace[i] = Place(new QCheckBox(Frame3), Indexed("chkReplace", i));
        txtReplace[i] = Place(new QLineEdit(Frame3), Indexed("txtReplace", i));
        txtWith[i] = Place(new QLineEdit(Frame3), Indexed("txtWith", i));
    }

    Label3 =
        Place(new QLabel(QStringLiteral("(Enter a \"#\" for an index number with leading zeros)"),
                         client),
              QStringLiteral("Label3"));
    Label3->setFont(ControlFont("DejaVu Sans Condensed", 7.5));
    Label3->setWordWrap(true);
    Label3->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    QPalette grey = Label3->palette();
    grey.setColor(QPalette::WindowText, QColor(64, 64, 64));
    Label3->setPalette(grey);

    chkAddPrefix =
        Place(new QCheckBox(QStringLiteral("Add Prefix:"), client), QStringLiteral("chkAddPrefix"));
    txtPrefix = Place(new QLineEdit(client), QStringLiteral("txtPrefix"));
    chkAddSuffix =
        Place(new QCheckBox(QStringLiteral("Add Suffix:"), client), QStringLiteral("chkAddSuffix"));
    txtSuffix = Place(new QLineEdit(client), QStringLiteral("txtSuffix"));

    lblLeadingZeros = Place(new QLabel(QStringLiteral("Number Of Digits in Index #:"), client),
                            QStringLiteral("lblLeadingZeros"));
    lblNumLeadingZeros =
        Place(new QLabel(QStringLiteral("1"), client), QStringLiteral("lblNumLeadingZeros"));
    lblNumLeadingZeros->setFrameStyle(QFrame::Panel | QFrame::Sunken);
    lblNumLeadingZeros->setAlignment(Qt::AlignCenter);
    lblNumLeadingZeros->setFont(ControlFont("Liberation Sans", 8.25));
    btnLeadingZerosUp = Place(new QPushButton(client), QStringLiteral("btnLeadingZerosUp"));
    btnLeadingZerosUp->setIcon(Arrow(true));
    btnLeadingZerosUp->setIconSize(QSize(7, 4));
    btnLeadingZerosDn = Place(new QPushButton(client), QStringLiteral("btnLeadingZerosDn"));
    btnLeadingZerosDn->setIcon(Arrow(false));
    btnLeadingZerosDn->setIconSize(QSize(7, 4));
    lblFirstIndex = Place(new QLabel(QStringLiteral("Starting Index Number:"), client),
                          QStringLiteral("lblFirstIndex"));
    txtFirstIndex =
        Place(new QLineEdit(QStringLiteral("1"), client), QStringLiteral("txtFirstIndex"));
    chkRemoveOriginalName = Place(
        new QCheckBox(QStringLiteral("Discard Original File Names (use with caution!)"), client),
        QStringLiteral("chkRemoveOriginalName"));
    for (QWidget* control :
         {static_cast<QWidget*>(lblLeadingZeros), static_cast<QWidget*>(lblNumLeadingZeros),
          static_cast<QWidget*>(btnLeadingZerosUp), static_cast<QWidget*>(btnLeadingZerosDn),
          static_cast<QWidget*>(lblFirstIndex), static_cast<QWidget*>(txtFirstIndex),
          static_cast<QWidget*>(chkRemoveOriginalName)}) {
        control->hide();
    }

    Frame1 = Place(new QFrame(client), QStringLiteral("Frame1"));
    Frame1->setFrameShape(QFrame::Box);
    Frame1->setFrameShadow(QFrame::Sunken);

    lblProgress =
        Place(new QLabel(QStringLiteral("Progress"), client), QStringLiteral("lblProgress"));
    lblProgress->hide();
    ProgressBar1 =
        Place(new progressbar::ProgressBarWidget(client), QStringLiteral("ProgressBar1"));
    progressbar::PropertyStore definition;
    definition.WriteProperty("_extentx", kProgressBarExtentX, 0);
    definition.WriteProperty("_extenty", kProgressBarExtentY, 0);
    definition.WriteProperty("color", kProgressBarColor, 0);
    ProgressBar1->ReadProperties(definition);
    ProgressBar1->hide();

    cmdBrowse =
        Place(new QPushButton(QStringLiteral("&Browse"), client), QStringLiteral("cmdBrowse"));
    cmdBrowse->setIcon(ButtonPicture(QStringLiteral(":/window/browse.png")));
    cmdRemove =
        Place(new QPushButton(QStringLiteral("&Clean"), client), QStringLiteral("cmdRemove"));
    cmdRemove->setIcon(ButtonPicture(QStringLiteral(":/window/clean.png")));

    StatusBar1 = Place(new QLabel(client), QStringLiteral("StatusBar1"));
    StatusBar1->setFrameStyle(QFrame::Panel | QFrame::Sunken);
    StatusBar1->setFont(ControlFont("Liberation Sans", 8.25));
    StatusBar1->setTextFormat(Qt::PlainText);
}

void frmMain::ConnectHandlers() {
    connect(mnuExit, &QAction::triggered, this, &frmMain::mnuExit_Click);
    connect(mnuAbout, &QAction::triggered, this, &frmMain::mnuAbout_Click);
    connect(cmdBrowse, &QPushButton::clicked, this, &frmMain::cmdBrowse_Click);
    connect(cmdRemove, &QPushButton::clicked, this, &frmMain::cmdRemove_Click);
    connect(btnLeadingZerosUp, &QPushButton::clicked, this, &frmMain::btnLeadingZerosUp_Click);
    connect(btnLeadingZerosDn, &QPushButton::clicked, this, &frmMain::btnLeadingZerosDn_Click);
    // Check boxes and text fields: toggled and textChanged also fire when code sets the value,
    // which the option cascades rely on.
    connect(chkAddPrefix, &QCheckBox::toggled, this, &frmMain::chkAddPrefix_Click);
    connect(chkAddSuffix, &QCheckBox::toggled, this, &frmMain::chkAddSuffix_Click);
    connect(chkRemoveOriginalName, &QCheckBox::toggled, this,
            &frmMain::chkRemoveOriginalName_Click);
    connect(txtPrefix, &QLineEdit::textChanged, this, &frmMain::txtPrefix_Change);
    connect(txtSuffix, &QLineEdit::textChanged, this, &frmMain::txtSuffix_Change);
    connect(txtFirstIndex, &QLineEdit::textChanged, this, &frmMain::txtFirstIndex_Change);
    for (int i = 0; i < engine::kReplacementCount; ++i) {
        connect(txtReplace[i], &QLineEdit::textChanged, this, [this, i] { txtReplace_Change(i); });
        connect(txtWith[i], &QLineEdit::textChanged, this, [this, i] { txtWith_Change(i); });
    }
    txtFirstIndex->installEventFilter(this);
}

void frmMain::SetTabOrder() {
    std::vector<QWidget*> order = {cmdBrowse,           cmdRemove,        ChkRemoveDigits,
                                   ChkRemovePostDigits, optUnderscore[0], optUnderscore[1],
                                   optUnderscore[2],    optUnderscore[3], chkAddPrefix,
                                   txtPrefix,           chkAddSuffix,     txtSuffix,
                                   btnLeadingZerosUp,   btnLeadingZerosDn};
    for (int i = 0; i < engine::kReplacementCount; ++i) {
        order.push_back(chkReplace[i]);
        order.push_back(txtReplace[i]);
        order.push_back(txtWith[i]);
    }
    order.push_back(File1);
    order.push_back(chkRemoveOriginalName);
    order.push_back(txtFirstIndex);
    for (std::size_t i = 1; i < order.size(); ++i) {
        setTabOrder(order[i - 1], order[i]);
    }
}

void frmMain::CenterOnScreen() {
    const QScreen* where = screen();
    if (where == nullptr) {
        return;
    }
    const QRect area = where->availableGeometry();
    const QSize size = sizeHint();
    move(area.x() + (area.width() - size.width()) / 2,
         area.y() + (area.height() - size.height()) / 2);
}

engine::CleanSettings frmMain::TakeSettings() {
    engine::CleanSettings& s = m_LastSettings;
    s.FolderChosen = !File1->isHidden();
    s.FolderPath = File1->Path();
    s.FileNames = File1->Names();
    s.RemoveLeadingDigits = ChkRemoveDigits->isChecked();
    s.RemoveTrailingDigits = ChkRemovePostDigits->isChecked();
    s.AddPrefix = chkAddPrefix->isChecked();
    s.Prefix = Bytes(txtPrefix->text());
    s.AddSuffix = chkAddSuffix->isChecked();
    s.Suffix = Bytes(txtSuffix->text());
    s.DiscardOriginalNames = chkRemoveOriginalName->isChecked();
    for (int i = 0; i < engine::kReplacementCount; ++i) {
        s.Replacements[i] = {chkReplace[i]->isChecked(), Bytes(txtReplace[i]->text()),
                             Bytes(txtWith[i]->text())};
    }
    for (int i = 0; i < 4; ++i) {
        if (optUnderscore[i]->isChecked()) {
            s.SpaceMode = static_cast<engine::SpaceUnderscoreMode>(i);
        }
    }
    s.IndexNumbering = !lblLeadingZeros->isHidden();
    // Hidden index controls leave the values of the last time they were read.
    if (s.IndexNumbering) {
        s.FileCountChars = DigitCount(lblNumLeadingZeros->text());
        s.FirstIndex = FirstIndex(txtFirstIndex->text()).value_or(s.FirstIndex);
    }
    return s;
}

void frmMain::Form_Load() {
    File1->hide();
    setWindowTitle(QStringLiteral("%1 %2.%3.%4")
                       .arg(Text(engine::kApplicationTitle))
                       .arg(engine::kVersionMajor)
                       .arg(engine::kVersionMinor)
                       .arg(engine::kVersionRevision));
    ProgressBar1->SetValue(0);
    Run.Corrections = 0;
    const QWidget* client = centralWidget();
    StatusBar1->setGeometry(0, client->height() - StatusBar1->height(), client->width(),
                            StatusBar1->height());
    StatusBar1->setText(Text(kSelectFolderStatus));
}

void frmMain::Form_Unload() {
    // The cleanup log is opened and closed for each line, so nothing is left open to close.
}

void frmMain::closeEvent(QCloseEvent* event) {
    // Closing half-way through a rename would leave the folder half cleaned with no summary.
    if (m_Running) {
        event->ignore();
        return;
    }
    Form_Unload();
    event->accept();
}

void frmMain::mnuAbout_Click() {
    const std::string text = std::string(engine::kApplicationTitle) + "\r\n" +
                             std::to_string(engine::kVersionMajor) + "." +
                             std::to_string(engine::kVersionMinor) + "." +
                             std::to_string(engine::kVersionRevision);
    ShowMessage(text, {}, Buttons::Ok, Icon::Information);
}

void frmMain::mnuExit_Click() {
    close();
}

void frmMain::cmdBrowse_Click() {
    strresfolder = m_Dialogs.ChooseFolder(this, kBrowseTitle);
    if (strresfolder.empty()) {
        ClearFolder();
        StatusBar1->setText(Text(kNoPathStatus));
        return;
    }
    Path = strresfolder;
    File1->hide();
    if (const std::error_code error = File1->SetPath(Path); error) {
        ReportUnlistableFolder(Path, error);
        StatusBar1->setText(Text(kNoPathStatus));
        return;
    }
    File1->show();
    const QString folder = Text(File1->Path().native());
    // One arg() call: a "%1" inside the folder name must stay text.
    StatusBar1->setText(
        QStringLiteral("%1 - %2 files").arg(folder, QString::number(File1->ListCount())));
    lblFilePath->setText(folder);
    lblNumLeadingZeros->setText(
        DigitCountForFolder(lblNumLeadingZeros->text(), File1->ListCount()));
}

void frmMain::ClearFolder() {
    Path.clear();
    File1->hide();
    lblFilePath->setText(Text(kNoPathCaption));
    Run.CancelProcess = true;
}

void frmMain::ReportUnlistableFolder(const std::filesystem::path& folder,
                                     const std::error_code& error) {
    ShowMessage("The folder " + folder.native() + " can not be read: " + error.message(), {},
                Buttons::Ok, Icon::None);
    ClearFolder();
}

void frmMain::cmdRemove_Click() {
    m_Interface.ShowProgress(false);
    if (File1->isHidden()) {
        ShowMessage(kChoosePathMessage, {}, Buttons::Ok, Icon::None);
        cmdBrowse_Click();
    }
    if (File1->isHidden()) {
        m_Interface.SetStatusText(engine::kCancelledStatus);
        return;
    }
    const engine::CleanSettings settings = TakeSettings();
    m_Running = true;
    const engine::CleanOutcome outcome =
        engine::RunCleanCommand(settings, Run, m_Interface, m_FileSystem, m_Log);
    m_Running = false;
    m_Interface.ShowListIndex();
    if (outcome == engine::CleanOutcome::WidthRefused) {
        txtFirstIndex->setFocus();
    }
}

void frmMain::btnLeadingZerosUp_Click() {
    lblNumLeadingZeros->setText(DigitCountUp(lblNumLeadingZeros->text()));
}

void frmMain::btnLeadingZerosDn_Click() {
    Run.FileCountChars = DigitCount(lblNumLeadingZeros->text());
    Run.CurFileCount = 0;
    Run.FileIndexCountOffset = FirstIndex(txtFirstIndex->text()).value_or(1) - 1;
    const int fileCount = File1->ListCount();
    const int needed = engine::NeededDigits(fileCount, Run.FileIndexCountOffset);
    const DigitCountDown down = LowerDigitCount(Run.FileCountChars, needed);
    if (down.Lowered) {
        lblNumLeadingZeros->setText(QString::number(*down.Lowered));
    }
    if (down.Refused) {
        ShowMessage(engine::DigitCountMessage(needed, fileCount, Run.FileIndexCountOffset), {},
                    Buttons::Ok, Icon::None);
        txtFirstIndex->setFocus();
    }
}

void frmMain::txtFirstIndex_Change() {
    const QString text = txtFirstIndex->text();
    const FirstIndexEdit edit =
        NormaliseFirstIndex(text, txtFirstIndex->cursorPosition(), lblNumLeadingZeros->text());
    if (edit.Text != text) {
        txtFirstIndex->setText(edit.Text);
        txtFirstIndex->setCursorPosition(edit.Caret);
    }
    if (txtFirstIndex->text() == QStringLiteral("0")) {
        txtFirstIndex->setSelection(0, 1);
    }
}

void frmMain::txtFirstIndex_LostFocus() {
    txtFirstIndex_Change();
}

bool frmMain::eventFilter(QObject* watched, QEvent* event) {
    if (watched == txtFirstIndex && event->type() == QEvent::FocusOut) {
        txtFirstIndex_LostFocus();
    }
    return QMainWindow::eventFilter(watched, event);
}

void frmMain::chkAddPrefix_Click() {
    UpdateIndexControls();
}

void frmMain::chkAddSuffix_Click() {
    UpdateIndexControls();
}

void frmMain::chkRemoveOriginalName_Click() {
    SetOptionsForRemoveName();
}

void frmMain::txtPrefix_Change() {
    CheckFieldText(txtPrefix, true);
    UpdateIndexControls();
    if (!txtPrefix->text().isEmpty()) {
        chkAddPrefix->setChecked(true);
    }
}

void frmMain::txtSuffix_Change() {
    CheckFieldText(txtSuffix, true);
    UpdateIndexControls();
    if (!txtSuffix->text().isEmpty()) {
        chkAddSuffix->setChecked(true);
    }
}

void frmMain::txtReplace_Change(int index) {
    if (!txtReplace[index]->text().isEmpty()) {
        chkReplace[index]->setChecked(true);
    }
}

void frmMain::txtWith_Change(int index) {
    CheckFieldText(txtWith[index], false);
}

void frmMain::CheckFieldText(QLineEdit* field, bool allowHash) {
    const QString text = field->text();
    if (RemoveInvalidChars(text, allowHash) == text) {
        return;
    }
    ShowMessage(allowHash ? kInvalidCharHashAllowed : kInvalidCharHashForbidden, kInvalidCharTitle,
                Buttons::Ok, Icon::None);
    field->setText(RemoveInvalidChars(field->text(), allowHash));
}

void frmMain::UpdateIndexControls() {
    if (HashCondition(chkAddPrefix->isChecked(), txtPrefix->text(), chkAddSuffix->isChecked(),
                      txtSuffix->text())) {
        lblLeadingZeros->show();
        lblNumLeadingZeros->show();
        btnLeadingZerosUp->show();
        btnLeadingZerosDn->show();
        chkRemoveOriginalName->show();
        lblFirstIndex->show();
        txtFirstIndex->show();
    } else {
        lblLeadingZeros->hide();
        lblNumLeadingZeros->hide();
        btnLeadingZerosUp->hide();
        btnLeadingZerosDn->hide();
        chkRemoveOriginalName->hide();
        chkRemoveOriginalName->setChecked(false);
        lblFirstIndex->hide();
        txtFirstIndex->hide();
    }
    SetOptionsForRemoveName();
}

void frmMain::SetOptionsForRemoveName() {
    const bool enabled = !chkRemoveOriginalName->isChecked();
    ChkRemoveDigits->setEnabled(enabled);
    ChkRemovePostDigits->setEnabled(enabled);
    for (QRadioButton* option : optUnderscore) {
        option->setEnabled(enabled);
    }
    for (QCheckBox* box : chkReplace) {
        box->setEnabled(enabled);
    }
    for (QLineEdit* field : txtReplace) {
        SetTextFieldEnabled(field, enabled);
    }
    for (QLineEdit* field : txtWith) {
        SetTextFieldEnabled(field, enabled);
    }
}

void frmMain::SetTextFieldEnabled(QLineEdit* field, bool enabled) {
    field->setEnabled(enabled);
    // A disabled field shows the face of buttons, an enabled one the background of entry fields.
    const QColor background =
        palette().color(QPalette::Active, enabled ? QPalette::Base : QPalette::Button);
    QPalette colours = field->palette();
    colours.setColor(QPalette::Base, background);
    field->setPalette(colours);
}

Answer frmMain::ShowMessage(std::string_view text, std::string_view title, Buttons buttons,
                            Icon icon) {
    return m_Interface.ShowMessage(text, title, buttons, icon);
}

}  // namespace klarwell::window

#include "form1_window.h"

#include <QAbstractSpinBox>
#include <QActionGroup>
#include <QApplication>
#include <QCloseEvent>
#include <QComboBox>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLineEdit>
#include <QListWidget>
#include <QMenuBar>
#include <QScrollArea>
#include <QTabBar>
#include <QTextEdit>
#include <QToolButton>
#include <QVBoxLayout>
#include <cmath>
#include <cstdio>
#include <cstdlib>

#include "chart/pointer_readout.h"
#include "chart/zoom.h"
#include "form1/auto_solve.h"
#include "form1/blind_solving.h"
#include "form1/calculation.h"
#include "form1/control_writes.h"
#include "form1/defaults.h"
#include "form1/download.h"
#include "form1/full_map.h"
#include "form1/help.h"
#include "form1/image_calibration.h"
#include "form1/image_file.h"
#include "form1/input_boxes.h"
#include "form1/main_window.h"
#include "form1/measurements.h"
#include "form1/measuring.h"
#include "form1/mpc_report.h"
#include "form1/picking.h"
#include "form1/picture_events.h"
#include "form1/project.h"
#include "form1/residuals.h"
#include "form1/series.h"
#include "form1/suggestions.h"
#include "form1/wcs_export.h"
#include "ui/info_panel_view.h"
#include "ui/picture_view.h"
#include "ui/viewport_widget.h"

namespace sextrix::ui {

namespace {

QLineEdit* lineEdit(const char* name, int width = 0) {
    auto* edit = new QLineEdit;
    edit->setObjectName(name);
    if (width) edit->setFixedWidth(width);
    return edit;
}

QLabel* label(const char* name = "", bool wrap = false) {
    auto* l = new QLabel;
    l->setObjectName(name);
    l->setWordWrap(wrap);
    return l;
}

QLabel* unit(const QString& text) {
    auto* l = new QLabel(text);
    l->setStyleSheet("color: #666;");
    return l;
}

QGroupBox* groupBox(const char* name) {
    auto* box = new QGroupBox;
    box->setObjectName(name);
    return box;
}

// A small coloured disc: the status light and the suggestion indicator.
QWidget* lamp(const char* name, const QColor& colour) {
    auto* w = new QWidget;
    w->setObjectName(name);
    w->setFixedSize(14, 14);
    w->setStyleSheet(QString("background: %1; border-radius: 7px; border: 1px solid #444;").arg(colour.name()));
    return w;
}

// Ends the program at once: nothing is saved or asked.
[[noreturn]] void endProgram() {
    std::fflush(nullptr);
    std::_Exit(0);
}

}  // namespace

Form1Window::Form1Window(App& app) : app_(app), form_(app.form1) {
    setObjectName("Form1");
    binding_.afterHandler = [this] { refreshFromModel(); };

    buildMenus();
    auto* central = new QWidget;
    auto* layout = new QHBoxLayout(central);
    layout->setContentsMargins(6, 6, 6, 6);
    auto* left = new QVBoxLayout;
    left->addWidget(buildPictureArea(), 1);
    left->addWidget(buildStatus(), 0);
    layout->addLayout(left, 1);
    layout->addWidget(buildSidePanel(), 0);
    setCentralWidget(central);
    resize(1280, 820);

    connect(&timer1_, &QTimer::timeout, this, &Form1Window::panTick);
    connect(&timer2_, &QTimer::timeout, this, [this] { run([&] { Timer2_Timer(form_); }); });
    connect(&timer3_, &QTimer::timeout, this, [this] { run([&] { Timer3_Timer(app_); }); });
    qApp->installEventFilter(this);
    refreshFromModel();
}

QWidget* Form1Window::viewport() const { return viewport_; }

QCheckBox* Form1Window::checkBox(const char* name, CheckBox& box, std::function<void()> onClick) {
    auto* check = new QCheckBox;
    check->setObjectName(name);
    binding_.bind(check, box, std::move(onClick));
    return check;
}

QLabel* Form1Window::lblCaption(int index, bool wrap) {
    QLabel* l = label(QString("Lbl%1").arg(index).toUtf8(), wrap);
    binding_.bind(l, form_.Lbl[index]);
    return l;
}

void Form1Window::buildMenus() {
    auto action = [this](QMenu* menu, MenuItem& item, const char* name, std::function<void()> handler) {
        QAction* a = menu->addAction(QString());
        a->setObjectName(name);
        binding_.bind(a, item);
        if (handler) connect(a, &QAction::triggered, this, [this, handler] { run(handler); });
        return a;
    };
    QMenu* fichier = menuBar()->addMenu(QString());
    binding_.custom([fichier, this] { fichier->setTitle(QString::fromStdString(form_.mnu_fichier.caption)); });
    action(fichier, form_.mnu_wizard, "mnu_wizard", [this] { mnu_wizard_Click(app_); });
    action(fichier, form_.mnu_open, "mnu_open", [this] { mnu_open_Click(app_); });
    action(fichier, form_.mnu_save, "mnu_save", [this] { mnu_save_Click(app_); });
    fichier->addSeparator();
    action(fichier, form_.mnu_exportwcs, "mnu_exportwcs", [this] { mnu_exportwcs_Click(app_); });
    fichier->addSeparator();
    action(fichier, form_.mnu_openseries, "mnu_openseries", [this] { mnu_openseries_Click(app_); });
    action(fichier, form_.mnu_measurements, "mnu_measurements", [this] { mnu_measurements_Click(app_); });
    action(fichier, form_.mnu_savereport, "mnu_savereport", [this] { mnu_savereport_Click(app_); });
    action(fichier, form_.mnu_copyreport, "mnu_copyreport", [this] { mnu_copyreport_Click(app_); });
    fichier->addSeparator();
    action(fichier, form_.mnu_savedefaut, "mnu_savedefaut", [this] { mnu_savedefaut_Click(app_); });
    fichier->addSeparator();
    action(fichier, form_.mnu_quit, "mnu_quit", [] { endProgram(); });

    QMenu* option = menuBar()->addMenu(QString());
    binding_.custom([option, this] { option->setTitle(QString::fromStdString(form_.mnu_option.caption)); });
    action(option, form_.mnu_autosolve, "mnu_autosolve", [this] { AutoSolve_Click(app_); });
    action(option, form_.mnu_blindsolve, "mnu_blindsolve", [this] { BlindSolve_Click(app_); });
    action(option, form_.mnu_measure, "mnu_measure", [this] {
        mnu_measure_Click(app_);
    })->setShortcut(QKeySequence(Qt::Key_M));
    action(option, form_.mnu_reportsettings, "mnu_reportsettings", [this] { mnu_reportsettings_Click(app_); });
    option->addSeparator();
    action(option, form_.mnu_config, "mnu_config", [this] { mnu_config_Click(app_); });
    option->addSeparator();
    action(option, form_.mnu_etalonage2, "mnu_etalonage2", [this] { mnu_etalonage2_Click(app_); });
    action(option, form_.mnu_etalonage, "mnu_etalonage", [this] { mnu_etalonage_Click(app_); });
    action(option, form_.mnu_superetalonage, "mnu_superetalonage", [this] { mnu_superetalonage_Click(app_); });
    option->addSeparator();
    action(option, form_.mnu_webbugs, "mnu_webbugs", [this] { mnu_webbugs_Click(app_); });
    option->addSeparator();
    action(option, form_.mnu_lang, "mnu_lang", [this] { mnu_lang_Click(app_); });

    QMenu* stretch = menuBar()->addMenu(QString());
    stretch->setObjectName("mnu_stretch");
    binding_.custom([stretch, this] {
        stretch->setTitle(QString::fromStdString(form_.mnu_stretch.caption));
        stretch->setEnabled(form_.mnu_stretch.enabled);
    });
    auto* stretchGroup = new QActionGroup(stretch);
    for (int k = 0; k < static_cast<int>(form_.mnu_stretchKind.size()); ++k) {
        const std::string name = "mnu_stretchKind" + std::to_string(k);
        QAction* item =
            action(stretch, form_.mnu_stretchKind[k], name.c_str(), [this, k] { mnu_stretch_Click(app_, k); });
        item->setCheckable(true);
        stretchGroup->addAction(item);
        binding_.custom([item, k, this] { item->setChecked(form_.stretchChoice == k); });
    }

    QMenu* residus = menuBar()->addMenu(QString());
    binding_.custom([residus, this] { residus->setTitle(QString::fromStdString(form_.mnu_residus.caption)); });
    action(residus, form_.mnu_residualtable, "mnu_residualtable", [this] { mnu_residualtable_Click(app_); });
    action(residus, form_.mnu_residualvectors, "mnu_residualvectors", [this] { mnu_residualvectors_Click(app_); });

    QMenu* help = menuBar()->addMenu(QString());
    binding_.custom([help, this] { help->setTitle(QString::fromStdString(form_.mnu_Aide.caption)); });
    QMenu* aide = help->addMenu(QString());
    binding_.custom([aide, this] { aide->setTitle(QString::fromStdString(form_.mnu_help.caption)); });
    action(aide, form_.mnu_AideFR, "mnu_AideFR", [this] { mnu_AideFR_Click(app_); });
    action(aide, form_.mnu_AideEn, "mnu_AideEn", [this] { mnu_AideEn_Click(app_); });
    action(help, form_.mnu_about, "mnu_about", [this] { mnu_about_Click(app_); });
}

QWidget* Form1Window::buildPictureArea() {
    auto* area = new QWidget;
    auto* grid = new QGridLayout(area);
    grid->setContentsMargins(0, 0, 0, 0);
    grid->setSpacing(2);
    viewport_ = new ViewportWidget(form_, area);
    picture_ = new PictureView(form_, viewport_);
    // A pointer move changes only the readout and the magnifier: no full refresh.
    auto afterPointerMove = [this] {
        binding_.refresh();
        picture_->syncMagnifier();
        pointerPixel_->setText(QString("x %1   y %2").arg(form_.ws.clickX).arg(form_.ws.clickY));
    };
    picture_->onMouseMove = [this, afterPointerMove](double x, double y) {
        Picture1_MouseMove(app_, x, y);
        afterPointerMove();
    };
    picture_->onClick = [this] { run([&] { Picture1_Click(app_); }); };
    picture_->onDoubleClick = [this] { run([&] { Picture1_DblClick(app_); }); };
    picture_->onAsteroidLabelClick = [this](int i) { run([&] { aster_lbl_Click(app_, static_cast<Int16>(i)); }); };
    picture_->onDeepSkyLabelClick = [this](int i) { run([&] { deepobj_lbl_Click(app_, static_cast<Int16>(i)); }); };
    picture_->onZoomMouseMove = [this, afterPointerMove](double x, double y) {
        zoom_MouseMove(app_, x, y);
        afterPointerMove();
    };
    picture_->onZoomClick = [this] { run([&] { zoom_Click(app_); }); };

    // Panning buttons PicMove(1..4): 1 left, 2 down, 3 right, 4 up.
    const struct {
        int index;
        Qt::ArrowType arrow;
        int row, column;
    } moves[] = {{1, Qt::LeftArrow, 1, 0}, {2, Qt::DownArrow, 2, 1}, {3, Qt::RightArrow, 1, 2}, {4, Qt::UpArrow, 0, 1}};
    for (const auto& move : moves) {
        auto* button = new QToolButton;
        button->setObjectName(QString("PicMove%1").arg(move.index));
        button->setArrowType(move.arrow);
        // A long strip beside the picture: no hover panel, which a modal
        // window closing over it (the wizard) can leave lit, only a tint
        // while it pans.
        button->setStyleSheet(
            "QToolButton { border: none; background: transparent; }"
            "QToolButton:pressed { background: rgba(0, 0, 0, 40); }");
        if (move.arrow == Qt::LeftArrow || move.arrow == Qt::RightArrow)
            button->setSizePolicy(QSizePolicy::Fixed, QSizePolicy::Expanding);
        else
            button->setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Fixed);
        const int index = move.index;
        connect(button, &QToolButton::pressed, this, [this, index] { run([&] { PicMove_MouseDown(form_, index); }); });
        connect(button, &QToolButton::released, this, [this] { run([&] { PicMove_MouseUp(form_); }); });
        grid->addWidget(button, move.row, move.column);
    }
    grid->addWidget(viewport_, 1, 1);
    grid->addWidget(buildZoomBar(), 3, 0, 1, 3);
    grid->setRowStretch(1, 1);
    grid->setColumnStretch(1, 1);
    buildInfoPanel(viewport_);
    return area;
}

QPointF Form1Window::viewportCentre() const { return QPointF(viewport_->width() / 2.0, viewport_->height() / 2.0); }

QWidget* Form1Window::buildZoomBar() {
    picture_->onZoomChanged = [this] { refreshZoomBar(); };
    viewport_->onResized = [this] { picture_->syncFromModel(); };
    viewport_->onZoomWheel = [this](int steps, QPointF at) {
        for (int k = 0; k < std::abs(steps); ++k) picture_->stepZoom(steps, at);
    };
    const std::function<void()> zoomActions[] = {
        [this] { picture_->stepZoom(-1, viewportCentre()); },
        [this] { picture_->stepZoom(+1, viewportCentre()); },
        [this] { picture_->setZoom(ViewZoom::fitted(), viewportCentre()); },
        [this] { picture_->setZoom(ViewZoom::at(1), viewportCentre()); },
    };
    const QList<QKeySequence> keys[] = {
        {QKeySequence(Qt::CTRL | Qt::Key_Minus)},
        // Ctrl+= is Ctrl++ without the Shift key on most keyboards.
        {QKeySequence(Qt::CTRL | Qt::Key_Plus), QKeySequence(Qt::CTRL | Qt::Key_Equal)},
        {QKeySequence(Qt::CTRL | Qt::Key_0)},
        {QKeySequence(Qt::CTRL | Qt::Key_1)},
    };
    const char* names[] = {"ZoomOut", "ZoomIn", "ZoomFit", "Zoom100"};

    auto* bar = new QWidget;
    auto* row = new QHBoxLayout(bar);
    row->setContentsMargins(0, 0, 0, 0);
    row->setSpacing(2);
    for (int k = 0; k < 4; ++k) {
        auto* button = new QToolButton;
        button->setObjectName(names[k]);
        button->setAutoRaise(true);
        connect(button, &QToolButton::clicked, this, zoomActions[k]);
        zoomButtons_[k] = button;
        row->addWidget(button);
        // The keys work from anywhere in the window.
        auto* action = new QAction(this);
        action->setShortcuts(keys[k]);
        connect(action, &QAction::triggered, this, zoomActions[k]);
        addAction(action);
    }
    zoomLevel_ = label("ZoomLevel");
    zoomLevel_->setMinimumWidth(100);
    zoomLevel_->setStyleSheet("font-weight: bold;");
    pointerPixel_ = label("PointerPixel");
    pointerPixel_->setStyleSheet("color: #666;");
    row->insertWidget(0, zoomLevel_);
    row->insertSpacing(1, 6);
    row->addStretch(1);
    row->addWidget(pointerPixel_);
    return bar;
}

void Form1Window::refreshZoomBar() {
    const bool french = frenchInterface();
    const QString level = picture_->zoomText(french);
    if (zoomLevel_->text() != level) zoomLevel_->setText(level);
    const QString texts[] = {QString::fromUtf8("\u2212"), "+", french ? "Ajuster" : "Fit", "1:1"};
    const QString tips[] = {
        french ? QString::fromUtf8("Zoom arrière (Ctrl+-, Ctrl+molette)") : "Zoom out (Ctrl+-, Ctrl+wheel)",
        french ? QString::fromUtf8("Zoom avant (Ctrl++, Ctrl+molette)") : "Zoom in (Ctrl++, Ctrl+wheel)",
        french ? QString::fromUtf8("Toute l'image dans la fenêtre (Ctrl+0)") : "Whole picture in the window (Ctrl+0)",
        french ? QString::fromUtf8("Taille réelle (Ctrl+1)") : "Actual size (Ctrl+1)",
    };
    for (int k = 0; k < 4; ++k) {
        if (zoomButtons_[k]->text() != texts[k]) zoomButtons_[k]->setText(texts[k]);
        if (zoomButtons_[k]->toolTip() != tips[k]) zoomButtons_[k]->setToolTip(tips[k]);
    }
}

QWidget* Form1Window::buildInfoPanel(QWidget* parent) {
    infoPanel_ = new QFrame(parent);
    infoPanel_->setObjectName("Frm6");
    infoPanel_->setFrameShape(QFrame::StyledPanel);
    infoPanel_->setStyleSheet("QFrame#Frm6 { background: #fbfbf4; border: 1px solid #888; }");
    auto* layout = new QVBoxLayout(infoPanel_);
    layout->setContentsMargins(6, 4, 6, 6);
    auto* top = new QHBoxLayout;
    auto* title = label("Frm6Caption");
    binding_.custom([title, this] { title->setText(QString::fromStdString(form_.Frm6.caption)); });
    auto* close = new QPushButton;
    close->setObjectName("Frm6close");
    close->setFixedSize(24, 22);
    binding_.bind(close, form_.Frm6close);
    connect(close, &QPushButton::clicked, this, [this] { run([&] { Frm6close_Click(form_); }); });
    top->addWidget(title);
    top->addStretch();
    top->addWidget(close);
    infoMore_ = new QTextEdit;
    infoMore_->setObjectName("InfoMore");
    infoMore_->setReadOnly(true);
    layout->addLayout(top);
    layout->addWidget(infoMore_);
    infoPanel_->resize(340, 300);
    infoPanel_->hide();
    return infoPanel_;
}

QWidget* Form1Window::buildSidePanel() {
    auto* panel = new QWidget;
    auto* column = new QVBoxLayout(panel);
    column->setContentsMargins(0, 0, 0, 0);
    column->setSpacing(6);

    QGroupBox* menu = groupBox("frm0");
    binding_.bind(menu, form_.frm[0]);
    auto* steps = new QGridLayout(menu);
    Button* stepModels[] = {&form_.DownloadData, &form_.SelectStar, &form_.startCalcul, &form_.FullMap};
    const char* stepNames[] = {"DownloadData", "SelectStar", "startCalcul", "FullMap"};
    for (int k = 0; k < 4; ++k) {
        auto* button = new QPushButton;
        button->setObjectName(stepNames[k]);
        button->setMinimumHeight(30);
        binding_.bind(button, *stepModels[k]);
        steps->addWidget(button, k / 2, k % 2);
        if (k == 0) connect(button, &QPushButton::clicked, this, [this] { run([&] { DownloadData_Click(app_); }); });
        if (k == 1) connect(button, &QPushButton::clicked, this, [this] { run([&] { SelectStar_Click(app_); }); });
        if (k == 2) connect(button, &QPushButton::clicked, this, [this] { run([&] { startCalcul_Click(app_); }); });
        if (k == 3) connect(button, &QPushButton::clicked, this, [this] { run([&] { FullMap_Click(app_); }); });
    }
    auto* cancel = new QPushButton;
    cancel->setObjectName("CancelDownload");
    // Its row stays while it is hidden, so the panels below keep their place during a transfer.
    QSizePolicy keepsItsRow = cancel->sizePolicy();
    keepsItsRow.setRetainSizeWhenHidden(true);
    cancel->setSizePolicy(keepsItsRow);
    binding_.bind(cancel, form_.CancelDownload);
    auto* autoSolve = new QPushButton;
    autoSolve->setObjectName("AutoSolve");
    autoSolve->setMinimumHeight(30);
    binding_.bind(autoSolve, form_.AutoSolve);
    steps->addWidget(autoSolve, 2, 0);
    connect(autoSolve, &QPushButton::clicked, this, [this] { run([&] { AutoSolve_Click(app_); }); });
    auto* measure = new QPushButton;
    measure->setObjectName("Measure");
    measure->setMinimumHeight(30);
    binding_.bind(measure, form_.Measure);
    steps->addWidget(measure, 2, 1);
    connect(measure, &QPushButton::clicked, this, [this] { run([&] { mnu_measure_Click(app_); }); });
    steps->addWidget(cancel, 3, 0, 1, 2);
    connect(cancel, &QPushButton::clicked, this, [this] { run([&] { CancelDownload_Click(app_); }); });
    column->addWidget(menu);

    tabs_ = new QTabBar;
    tabs_->setObjectName("TabStrip1");
    for (int tab = 1; tab <= 4; ++tab) tabs_->addTab(QString());
    tabs_->setExpanding(false);
    binding_.custom([this] {
        for (int tab = 1; tab <= 4; ++tab) tabs_->setTabText(tab - 1, QString::fromStdString(form_.tabCaptions[tab]));
        if (tabs_->currentIndex() != form_.selectedTab - 1) {
            const QSignalBlocker block(tabs_);
            tabs_->setCurrentIndex(form_.selectedTab - 1);
        }
    });
    connect(tabs_, &QTabBar::currentChanged, this, [this](int index) {
        form_.selectedTab = index + 1;
        run([&] { TabStrip1_Click(form_); });
    });
    column->addWidget(tabs_);
    auto* options = new QGridLayout;
    options->setContentsMargins(0, 0, 0, 0);
    for (QWidget* page : {buildStarOptions(), buildDeciderOptions(), buildAsteroidOptions(), buildDeepSkyOptions()})
        options->addWidget(page, 0, 0, Qt::AlignTop);
    column->addLayout(options);
    column->addWidget(buildCcdFrame());
    column->addWidget(buildDebugAndCalibration());
    column->addWidget(buildSuggestionFrame());
    column->addStretch(1);

    auto* scroll = new QScrollArea;
    scroll->setWidget(panel);
    scroll->setWidgetResizable(true);
    scroll->setFixedWidth(430);
    scroll->setFrameShape(QFrame::NoFrame);
    scroll->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    return scroll;
}

QWidget* Form1Window::buildStarOptions() {
    QGroupBox* frame = groupBox("frm1");
    binding_.bind(frame, form_.frm[1]);
    auto* grid = new QGridLayout(frame);
    int row = 0;
    auto caption = [&](int lbl) {
        QLabel* l = lblCaption(lbl);
        return l;
    };
    // Centre: RA h m s, then the declination sign and d m s.
    grid->addWidget(caption(0), row, 0);
    auto* ra = new QHBoxLayout;
    const char* raUnits[] = {"h", "m", "s"};
    for (int k = 0; k < 3; ++k) {
        QLineEdit* edit = lineEdit(QString("txt_ra%1").arg(k).toUtf8(), 42);
        binding_.bind(edit, form_.txt_ra[k]);
        ra->addWidget(edit);
        ra->addWidget(unit(raUnits[k]));
    }
    ra->addStretch();
    grid->addLayout(ra, row++, 1);

    grid->addWidget(caption(1), row, 0);
    auto* dec = new QHBoxLayout;
    QLabel* sign = label("txt_dec_sign_show0");
    sign->setFixedWidth(14);
    sign->setStyleSheet("font-weight: bold;");
    binding_.bind(sign, form_.txt_dec_sign_show[0]);
    dec->addWidget(sign);
    const char* decUnits[] = {"°", "'", "\""};
    for (int k = 0; k < 3; ++k) {
        QLineEdit* edit = lineEdit(QString("txt_dec%1").arg(k).toUtf8(), 42);
        binding_.bind(edit, form_.txt_dec[k]);
        dec->addWidget(edit);
        dec->addWidget(unit(QString::fromUtf8(decUnits[k])));
    }
    for (int index : {0, 1}) {
        auto* button = new QPushButton;
        button->setObjectName(QString("txt_dec_sign%1").arg(index));
        button->setFixedSize(22, 22);
        binding_.custom(
            [button, this, index] { button->setText(QString::fromStdString(form_.txt_dec_sign[index].caption)); });
        connect(button, &QPushButton::clicked, this, [this, index] { run([&] { txt_dec_sign_Click(form_, index); }); });
        dec->addWidget(button);
    }
    dec->addStretch();
    grid->addLayout(dec, row++, 1);

    auto field = [&](int lbl, const char* name, TextBox& box, const QString& unitText,
                     std::function<void()> onEdit = {}) {
        grid->addWidget(caption(lbl), row, 0);
        auto* line = new QHBoxLayout;
        QLineEdit* edit = lineEdit(name, 80);
        binding_.bind(edit, box, std::move(onEdit));
        line->addWidget(edit);
        if (!unitText.isEmpty()) line->addWidget(unit(unitText));
        line->addStretch();
        grid->addLayout(line, row++, 1);
    };
    field(2, "txt_epoch", form_.txt_epoch, "", [this] { runChangeHandler(app_, form_.txt_epoch); });
    field(3, "txt_distance", form_.txt_distance, "arcmin");
    field(4, "txt_mag", form_.txt_mag, "");
    field(6, "txt_mag2", form_.txt_mag2, "");
    field(7, "txt_tolerance", form_.txt_tolerance, "pixels");

    grid->addWidget(caption(12), row, 0);
    auto* image = new QHBoxLayout;
    QLineEdit* url = lineEdit("txt_url");
    binding_.bind(url, form_.txt_url);
    auto* load = new QPushButton;
    load->setObjectName("Loadimg");
    binding_.bind(load, form_.Loadimg);
    connect(load, &QPushButton::clicked, this, [this] { run([&] { Loadimg_Click(app_); }); });
    auto* browse = new QToolButton;
    browse->setObjectName("BrowseImage");
    browse->setText(QStringLiteral("…"));
    connect(browse, &QToolButton::clicked, this, [this] { run([&] { BrowseImage_Click(app_); }); });
    image->addWidget(url, 1);
    image->addWidget(browse);
    image->addWidget(load);
    grid->addLayout(image, row++, 1);

    QCheckBox* autoload =
        checkBox("CheckAutoload", form_.CheckAutoload, [this] { runClickHandler(app_, form_.CheckAutoload); });
    grid->addWidget(autoload, row++, 0, 1, 2);
    QCheckBox* onImage = checkBox("Checkcenter", form_.Checkcenter);
    grid->addWidget(onImage, row++, 0, 1, 2);
    return frame;
}

QWidget* Form1Window::buildDeciderOptions() {
    QGroupBox* frame = groupBox("frm6");
    binding_.bind(frame, form_.frm[6]);
    auto* grid = new QGridLayout(frame);
    QCheckBox* decider = checkBox("CheckDecideur", form_.CheckDecideur);
    grid->addWidget(decider, 0, 0, 1, 2);
    QLabel* threshold = lblCaption(5);
    grid->addWidget(threshold, 1, 0);
    auto* line = new QHBoxLayout;
    QLineEdit* calcul = lineEdit("txt_calcul", 60);
    binding_.bind(calcul, form_.txt_calcul);
    line->addWidget(calcul);
    line->addWidget(unit("pixels"));
    line->addStretch();
    grid->addLayout(line, 1, 1);
    QLabel* explanation = lblCaption(19, true);
    grid->addWidget(explanation, 2, 0, 1, 2);
    return frame;
}

QWidget* Form1Window::buildAsteroidOptions() {
    QGroupBox* frame = groupBox("frm7");
    binding_.bind(frame, form_.frm[7]);
    auto* grid = new QGridLayout(frame);
    QCheckBox* aster = checkBox("CheckAster", form_.CheckAster);
    grid->addWidget(aster, 0, 0, 1, 2);
    auto row = [&](int r, int lbl, std::initializer_list<std::pair<int, const char*>> boxes) {
        QLabel* l = lblCaption(lbl);
        grid->addWidget(l, r, 0);
        auto* line = new QHBoxLayout;
        for (auto [index, separator] : boxes) {
            QLineEdit* edit = lineEdit(QString("txt_Adate%1").arg(index).toUtf8(), index == 2 ? 52 : 36);
            binding_.bind(edit, form_.txt_Adate[index]);
            line->addWidget(edit);
            if (*separator) line->addWidget(unit(separator));
        }
        line->addStretch();
        grid->addLayout(line, r, 1);
    };
    row(1, 8, {{0, "/"}, {1, "/"}, {2, ""}});
    row(2, 9, {{3, ":"}, {4, "UT"}});
    auto field = [&](int r, int lbl, const char* name, TextBox& box, const char* unitText) {
        QLabel* l = lblCaption(lbl);
        grid->addWidget(l, r, 0);
        auto* line = new QHBoxLayout;
        QLineEdit* edit = lineEdit(name, 60);
        binding_.bind(edit, box);
        line->addWidget(edit);
        if (*unitText) line->addWidget(unit(unitText));
        line->addStretch();
        grid->addLayout(line, r, 1);
    };
    field(3, 17, "txt_Afield", form_.txt_Afield, "arcmin");
    field(4, 18, "Txt_Amag", form_.Txt_Amag, "");

    // What is measured on the picture: the middle of its exposure, when
    // neither a FITS header nor the camera's EXIF gives it. The caption is
    // longer than the others and has a row of its own above the box.
    QLabel* obstime = label("lbl_obstime");
    binding_.bind(obstime, form_.lbl_obstime);
    grid->addWidget(obstime, 5, 0, 1, 2);
    QLineEdit* obstimeBox = lineEdit("txt_obstime");
    obstimeBox->setPlaceholderText("2026-12-08T03:14:15.5");
    binding_.bind(obstimeBox, form_.txt_obstime);
    grid->addWidget(obstimeBox, 6, 0, 1, 2);
    return frame;
}

QWidget* Form1Window::buildDeepSkyOptions() {
    QGroupBox* frame = groupBox("frm8");
    binding_.bind(frame, form_.frm[8]);
    auto* layout = new QVBoxLayout(frame);
    layout->addWidget(checkBox("CheckDeepObj1", form_.CheckDeepObj1));
    layout->addWidget(checkBox("CheckDeepObj2", form_.CheckDeepObj2));
    return frame;
}

QWidget* Form1Window::buildCcdFrame() {
    QGroupBox* frame = groupBox("frm2");
    binding_.bind(frame, form_.frm[2]);
    auto* grid = new QGridLayout(frame);
    int column = 0;
    for (auto [lbl, name, box] :
         {std::tuple{10, "txt_corrasd", &form_.txt_corrasd}, std::tuple{11, "txt_corrdec", &form_.txt_corrdec}}) {
        QLabel* l = lblCaption(lbl);
        QLineEdit* edit = lineEdit(name, 90);
        auto* text = box;  // clang before 16 cannot capture a structured binding
        binding_.bind(edit, *text, [this, text] { runChangeHandler(app_, *text); });
        grid->addWidget(l, 0, column);
        grid->addWidget(edit, 1, column++);
    }
    auto* load = new QPushButton;
    load->setObjectName("LoadCorr");
    binding_.bind(load, form_.LoadCorr);
    connect(load, &QPushButton::clicked, this, [this] { run([&] { LoadCorr_Click(app_); }); });
    grid->addWidget(load, 1, column);
    return frame;
}

QWidget* Form1Window::buildDebugAndCalibration() {
    auto* holder = new QWidget;
    auto* stack = new QGridLayout(holder);
    stack->setContentsMargins(0, 0, 0, 0);

    QGroupBox* debug = groupBox("frm3");
    binding_.bind(debug, form_.frm[3]);
    auto* debugLayout = new QHBoxLayout(debug);
    QLabel* infoCaption = lblCaption(13);
    QLabel* info = label("info", true);
    info->setMinimumHeight(34);
    binding_.bind(info, form_.info);
    debugLayout->addWidget(infoCaption);
    debugLayout->addWidget(info, 1);
    stack->addWidget(debug, 0, 0);

    QGroupBox* calibration = groupBox("frm4");
    binding_.bind(calibration, form_.frm[4]);
    auto* grid = new QGridLayout(calibration);
    QLabel* instruction = lblCaption(14, true);
    grid->addWidget(instruction, 0, 0, 1, 2);
    auto boxes = [&](int row, QLayout* line, int first, std::initializer_list<const char*> units) {
        auto* h = static_cast<QHBoxLayout*>(line);
        int index = first;
        for (const char* u : units) {
            QLineEdit* edit = lineEdit(QString("Etalo%1").arg(index).toUtf8(), 48);
            // Typing aid: two characters move on to the next box.
            binding_.bind(edit, form_.Etalo[index], [this, index] {
                const int next = Etalo_Change(form_, index);
                if (next < 0) return;
                if (auto* box = findChild<QLineEdit*>(QString("Etalo%1").arg(next))) box->setFocus();
            });
            h->addWidget(edit);
            h->addWidget(unit(QString::fromUtf8(u)));
            ++index;
        }
        h->addStretch();
        (void)row;
    };
    // X and Y side by side, the stretch after both.
    auto* xy = new QHBoxLayout;
    for (int index : {0, 1}) {
        xy->addWidget(unit(index == 0 ? "X:" : "Y:"));
        QLineEdit* edit = lineEdit(QString("Etalo%1").arg(index).toUtf8(), 48);
        binding_.bind(edit, form_.Etalo[index]);
        xy->addWidget(edit);
        xy->addWidget(unit("pixels"));
        xy->addSpacing(12);
    }
    xy->addStretch();
    grid->addLayout(xy, 1, 0, 1, 2);
    QLabel* raCaption = lblCaption(15);
    grid->addWidget(raCaption, 2, 0);
    auto* ra = new QHBoxLayout;
    boxes(2, ra, 2, {"h", "'", "\""});
    grid->addLayout(ra, 2, 1);
    QLabel* decCaption = lblCaption(16);
    grid->addWidget(decCaption, 3, 0);
    auto* dec = new QHBoxLayout;
    QLabel* sign = label("txt_dec_sign_show1");
    sign->setFixedWidth(14);
    binding_.bind(sign, form_.txt_dec_sign_show[1]);
    dec->addWidget(sign);
    boxes(3, dec, 5, {"°", "'", "\""});
    for (int index : {2, 3}) {
        auto* button = new QPushButton;
        button->setObjectName(QString("txt_dec_sign%1").arg(index));
        button->setFixedSize(22, 22);
        binding_.custom(
            [button, this, index] { button->setText(QString::fromStdString(form_.txt_dec_sign[index].caption)); });
        connect(button, &QPushButton::clicked, this, [this, index] { run([&] { txt_dec_sign_Click(form_, index); }); });
        dec->insertWidget(dec->count() - 1, button);
    }
    grid->addLayout(dec, 3, 1);
    auto* next = new QPushButton;
    next->setObjectName("BoutonEtalo");
    binding_.bind(next, form_.BoutonEtalo);
    connect(next, &QPushButton::clicked, this, [this] { run([&] { BoutonEtalo_Click(app_); }); });
    grid->addWidget(next, 4, 1, Qt::AlignRight);
    stack->addWidget(calibration, 0, 0);
    return holder;
}

QWidget* Form1Window::buildSuggestionFrame() {
    QGroupBox* frame = groupBox("frm5");
    binding_.bind(frame, form_.frm[5]);
    auto* layout = new QHBoxLayout(frame);
    indicator_ = lamp("Picture2", QColor(0xFF, 0xD0, 0x30));
    // The lamp blinks: its place stays, so the advice beside it does not jump.
    QSizePolicy keepPlace = indicator_->sizePolicy();
    keepPlace.setRetainSizeWhenHidden(true);
    indicator_->setSizePolicy(keepPlace);
    binding_.bindVisible(indicator_, form_.Picture2[0].visible);
    QLabel* suggestion = label("sugestion", true);
    suggestion->setMinimumHeight(40);
    binding_.bind(suggestion, form_.sugestion);
    layout->addWidget(indicator_, 0, Qt::AlignTop);
    layout->addWidget(suggestion, 1);
    return frame;
}

QWidget* Form1Window::buildStatus() {
    auto* holder = new QWidget;
    auto* layout = new QHBoxLayout(holder);
    layout->setContentsMargins(0, 0, 0, 0);
    auto* lights = new QVBoxLayout;
    icoR_ = lamp("icoR", QColor(0xE0, 0x20, 0x20));
    icoG_ = lamp("icoG", QColor(0x20, 0xC0, 0x20));
    binding_.bindVisible(icoR_, form_.icoR.visible);
    binding_.bindVisible(icoG_, form_.icoG.visible);
    lights->addWidget(icoR_);
    lights->addWidget(icoG_);
    lights->addStretch();
    status_ = new QListWidget;
    status_->setObjectName("status");
    status_->setFixedHeight(110);
    binding_.custom([this] {
        const auto& items = form_.status.items;
        if (status_->count() == static_cast<int>(items.size()) &&
            (items.empty() || status_->item(0)->text() == QString::fromStdString(items.front())))
            return;
        status_->clear();
        for (const auto& line : items) status_->addItem(QString::fromStdString(line));
    });
    layout->addLayout(lights);
    layout->addWidget(status_, 1);
    return holder;
}

void Form1Window::refreshInfoPanel() {
    if (infoPanel_->isHidden() == form_.Frm6.visible) {
        infoPanel_->setVisible(form_.Frm6.visible);
        if (form_.Frm6.visible) {
            infoPanel_->move(viewport_->width() - infoPanel_->width() - 8, 8);
            infoPanel_->raise();
        }
    }
    showInfoPanel(infoMore_, form_.InfoMore, shownInfo_);
}

void Form1Window::syncTimers() {
    auto sync = [](QTimer& timer, const Timer& model) {
        if (timer.interval() != model.intervalMs) timer.setInterval(model.intervalMs);
        if (timer.isActive() != model.enabled) model.enabled ? timer.start() : timer.stop();
    };
    sync(timer1_, form_.Timer1);
    sync(timer2_, form_.Timer2);
    sync(timer3_, form_.Timer3);
}

void Form1Window::refreshFromModel() {
    setWindowTitle(QString::fromStdString(form_.caption));
    binding_.refresh();
    picture_->syncFromModel();
    refreshZoomBar();
    refreshInfoPanel();
    syncTimers();
}

void Form1Window::noteArrowKey(int key, bool pressed) {
    int slot = -1;
    switch (key) {
        case Qt::Key_Right: slot = 0; break;
        case Qt::Key_Up: slot = 1; break;
        case Qt::Key_Left: slot = 2; break;
        case Qt::Key_Down: slot = 3; break;
        default: return;
    }
    arrows_[slot].down = pressed;
    if (pressed) arrows_[slot].pressedSinceTick = true;
}

void Form1Window::panTick() {
    PanInput input;
    input.mainWindowActive = isActiveWindow();
    input.leftButtonDown = QApplication::mouseButtons() & Qt::LeftButton;
    auto seen = [](ArrowKey& key) {
        const bool result = key.down || key.pressedSinceTick;
        key.pressedSinceTick = false;
        return result;
    };
    input.right = seen(arrows_[0]);
    input.up = seen(arrows_[1]);
    input.left = seen(arrows_[2]);
    input.down = seen(arrows_[3]);
    const PictureBox before = form_.Picture1Box;
    Timer1_Timer(form_, input);
    if (before.left != form_.Picture1Box.left || before.top != form_.Picture1Box.top) picture_->syncFromModel();
}

namespace {

bool isArrowKey(int key) {
    return key == Qt::Key_Left || key == Qt::Key_Right || key == Qt::Key_Up || key == Qt::Key_Down;
}

// The widgets where an arrow key edits: it moves the caret or the choice
// there, as well as panning.
bool editsWithArrows(const QWidget* widget) {
    return qobject_cast<const QLineEdit*>(widget) || qobject_cast<const QAbstractSpinBox*>(widget) ||
           qobject_cast<const QTextEdit*>(widget) || qobject_cast<const QComboBox*>(widget) ||
           qobject_cast<const QAbstractItemView*>(widget);
}

}  // namespace

// Arrow keys pan the picture from anywhere in the main window. Elsewhere in
// it they would also switch tabs or move the focus between buttons, so that
// panning jumps through the option pages: those widgets do not get them.
bool Form1Window::keepsArrowsForPanning(QObject* watched) const {
    const auto* widget = qobject_cast<const QWidget*>(watched);
    return widget && widget->window() == this && !editsWithArrows(widget);
}

bool Form1Window::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() == QEvent::KeyPress || event->type() == QEvent::KeyRelease) {
        auto* key = static_cast<QKeyEvent*>(event);
        if (!key->isAutoRepeat()) noteArrowKey(key->key(), event->type() == QEvent::KeyPress);
        if (event->type() == QEvent::KeyPress && isArrowKey(key->key()) && keepsArrowsForPanning(watched)) return true;
        // Esc presses Cancel while a download runs.
        if (event->type() == QEvent::KeyPress && key->key() == Qt::Key_Escape && form_.CancelDownload.visible &&
            isActiveWindow()) {
            run([&] { CancelDownload_Click(app_); });
            return true;
        }
    }
    return QMainWindow::eventFilter(watched, event);
}

void Form1Window::closeEvent(QCloseEvent* event) {
    event->accept();
    endProgram();
}

}  // namespace sextrix::ui

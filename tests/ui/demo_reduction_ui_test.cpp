// The demo field reduced through the real main window, the way a person does
// it at the window's first size: typed inputs, real mouse clicks on the
// fitted picture, a real Yes/No box.
#include <QtTest/qtestspontaneevent.h>
#include <gtest/gtest.h>
#include <QAction>
#include <QFileDialog>
#include <QLabel>
#include <QLineEdit>
#include <QMessageBox>
#include <QPushButton>
#include <QTabBar>
#include <QTableWidget>
#include <QTest>
#include <QWheelEvent>
#include <algorithm>
#include <cmath>
#include <filesystem>
#include <numbers>

#include "fieldsim/demo_field.h"
#include "fieldsim/plate_fit.h"
#include "form1/chart.h"
#include "geometry/plate.h"
#include "state/text_file.h"
#include "ui/form1_window.h"
#include "ui/measurements_window.h"
#include "ui/picture_view.h"
#include "ui/qt_program.h"
#include "ui/viewport_widget.h"
#include "ui_support.h"

namespace sextrix {
namespace {

using testing::clickButton;
using testing::installDataFiles;
using testing::onNextModal;
using testing::saveScreenshot;

// Five catalogue stars spread over the image, clicked a little off centre as
// a person would. The plate comes from the first three picks, so they span
// the image: top left, bottom right, bottom left.
const QPoint kClicks[5] = {{326, 250}, {966, 586}, {161, 766}, {954, 254}, {428, 413}};

// The centre of the brightest 7 x 7 box within 3 pixels, read straight from
// the decoded image: ties keep the smallest x, then the smallest y.
QPoint brightestBox(const PictureSurface& picture, QPoint click) {
    long best = 0;
    QPoint at = click;
    for (int cx = click.x() - 3; cx <= click.x() + 3; ++cx)
        for (int cy = click.y() - 3; cy <= click.y() + 3; ++cy) {
            long sum = 0;
            for (int u = -3; u <= 3; ++u)
                for (int v = -3; v <= 3; ++v) sum += picture.pixel(cx + u, cy + v);
            if (sum > best) best = sum, at = QPoint(cx, cy);
        }
    return at;
}

class DemoWindow : public ::testing::Test {
protected:
    void SetUp() override {
        installDataFiles(folder, {"lang-fr.cfg", "lang-en.cfg", "deepobj1.txt", "deepobj2.txt"});
        folder.write("lang.cfg", readFileBytes(testing::dataFile("lang-fr.cfg")).value());
        folder.write("data.txt", readFileBytes(testing::dataFile("demo/data.txt")).value());
        std::filesystem::create_directory(folder.file("demo"));
        folder.write("demo/m67.jpg", readFileBytes(testing::dataFile("demo/m67.jpg")).value());
        program = std::make_unique<ui::QtProgram>(folder.path());
        program->start();
        window().activateWindow();
        ASSERT_TRUE(QTest::qWaitForWindowActive(&window()));
    }

    ui::Form1Window& window() { return program->mainWindow(); }
    Form1Model& form() { return program->app().form1; }

    void type(const char* box, const char* text) {
        auto* edit = window().findChild<QLineEdit*>(box);
        ASSERT_NE(edit, nullptr) << box;
        edit->clear();
        QTest::keyClicks(edit, text);
    }

    void typeDemoInputs() {
        type("txt_ra0", "08");
        type("txt_ra1", "51");
        type("txt_ra2", "18");
        type("txt_dec0", "11");
        type("txt_dec1", "48");
        type("txt_dec2", "00");
        type("txt_distance", "27");
        type("txt_corrasd", "1409,57");  // a decimal comma is turned into a point
        type("txt_corrdec", "1440");
        type("txt_url", "demo/m67.jpg");
        clickButton(&window(), "Loadimg");
    }

    // Holds an arrow key down on the main window until the picture has not
    // moved for a while (several panning ticks, so a slow machine is no
    // reason to stop early).
    void holdArrowKey(Qt::Key key) {
        QTest::keyPress(&window(), key);
        int lastLeft = form().Picture1Box.left, lastTop = form().Picture1Box.top, still = 0;
        for (int wait = 0; wait < 1000 && still < 6; ++wait) {
            QTest::qWait(50);
            const bool moved = form().Picture1Box.left != lastLeft || form().Picture1Box.top != lastTop;
            still = moved ? 0 : still + 1;
            lastLeft = form().Picture1Box.left;
            lastTop = form().Picture1Box.top;
        }
        QTest::keyRelease(&window(), key);
    }

    QString zoomLabel() { return window().findChild<QLabel*>("ZoomLevel")->text(); }

    // Where a picture pixel is on screen, in the picture widget's pixels.
    QPoint onScreen(QPoint at) { return window().picture()->mapping().toView(QPointF(at)).toPoint(); }

    // A real pointer move over a picture pixel; gives the pixel the program
    // saw, which at a zoom other than 100 % may be a neighbour.
    QPoint pointAt(QPoint at) {
        QTest::mouseMove(window().picture(), onScreen(at));
        return {form().ws.clickX, form().ws.clickY};
    }

    QPoint clickPicture(QPoint at) {
        const QPoint pointed = pointAt(at);
        QTest::mouseClick(window().picture(), Qt::LeftButton, {}, onScreen(at));
        return pointed;
    }

    // A real double click, through the platform's events: Qt itself makes
    // the double click out of two quick clicks.
    QPoint doubleClickPicture(QPoint at) {
        const QPoint pointed = pointAt(at);
        ui::PictureView* picture = window().picture();
        QTest::mouseDClick(window().windowHandle(), Qt::LeftButton, {}, picture->mapTo(&window(), onScreen(at)));
        return pointed;
    }

    testing::TempFolder folder;
    std::unique_ptr<ui::QtProgram> program;
};

TEST_F(DemoWindow, OpensFittedThenZoomsAndPansAtEveryLevel) {
    typeDemoInputs();
    ASSERT_EQ(form().ws.imageLoaded, kTrue);
    const PictureBox& box = form().Picture1Box;
    const PictureBox& view = form().PicOrange;
    ASSERT_LT(view.width, 1000) << "the picture fits the viewport at 100 %: nothing to pan";
    // The whole picture in the viewport.
    const double fit = std::min(view.width / 1000.0, view.height / 800.0);
    EXPECT_EQ(box.width, std::lround(1000 * fit));
    EXPECT_EQ(box.height, std::lround(800 * fit));
    EXPECT_EQ(box.left, 0);
    const QString fitted = QString::fromUtf8("Ajusté (%1 %)").arg(std::lround(fit * 100));
    EXPECT_EQ(zoomLabel(), fitted);

    // The keys step through the levels; the picture stays in the viewport.
    const struct {
        Qt::Key key;
        QString label;
        int width;
    } steps[] = {{Qt::Key_1, "100 %", 1000},
                 {Qt::Key_Equal, "150 %", 1500},
                 {Qt::Key_Plus, "200 %", 2000},
                 {Qt::Key_Minus, "150 %", 1500},
                 {Qt::Key_0, fitted, int(std::lround(1000 * fit))},
                 {Qt::Key_1, "100 %", 1000}};
    for (const auto& step : steps) {
        QTest::keyClick(&window(), step.key, Qt::ControlModifier);
        EXPECT_EQ(zoomLabel(), step.label);
        EXPECT_EQ(box.width, step.width) << step.label.toStdString();
        EXPECT_TRUE(box.left <= 0 && box.left + box.width >= std::min(box.width, view.width)) << box.left;
        EXPECT_TRUE(box.top <= 0 && box.top + box.height >= std::min(box.height, view.height)) << box.top;
    }

    // At 100 % the arrow keys move the picture until its right edge reaches
    // the viewport's, and back.
    holdArrowKey(Qt::Key_Right);
    EXPECT_EQ(box.left + 1000, view.width);
    EXPECT_EQ(window().picture()->x(), box.left);
    holdArrowKey(Qt::Key_Left);
    EXPECT_EQ(box.left, 0);

    // Ctrl + wheel zooms in around the pointer: the picture pixel under it stays.
    const QPointF pointer(300, 200);  // viewport pixels
    auto under = [&] { return window().picture()->mapping().toImage(pointer - QPointF(box.left, box.top)); };
    const QPointF before = under();
    QWheelEvent wheel(pointer - QPointF(box.left, box.top), window().picture()->mapToGlobal(pointer), {}, {0, 120},
                      Qt::NoButton, Qt::ControlModifier, Qt::NoScrollPhase, false);
    QSpontaneKeyEvent::setSpontaneous(&wheel);  // as the platform sends it: over to the viewport
    qApp->notify(window().picture(), &wheel);
    EXPECT_EQ(box.width, 1500);
    EXPECT_NEAR(under().x(), before.x(), 1);
    EXPECT_NEAR(under().y(), before.y(), 1);
    ASSERT_LT(box.left, 0);
    ASSERT_LT(box.top, 0);

    // 2-Stars and 3-Calcul load the picture again: the zoom and place stay.
    const PictureBox kept = box;
    clickButton(&window(), "Loadimg");
    EXPECT_EQ(zoomLabel(), "150 %");
    EXPECT_EQ(box.left, kept.left);
    EXPECT_EQ(box.top, kept.top);

    // Panning works at this zoom too.
    holdArrowKey(Qt::Key_Up);
    holdArrowKey(Qt::Key_Left);
    EXPECT_EQ(box.left, 0);
    EXPECT_EQ(box.top, 0);
}

TEST_F(DemoWindow, PicksFiveStarsThenSolvesAndReportsAPoint) {
    // NGC 2682 (M 67) lies in the field: chart it on the solution.
    form().CheckDeepObj1.value = 1;
    form().CheckDeepObj2.value = 1;
    typeDemoInputs();
    saveScreenshot(&window(), "main-window.png");
    ASSERT_EQ(form().ws.imageLoaded, kTrue) << "the JPEG did not load";
    EXPECT_EQ(form().txt_corrasd.text, "1409.57");
    clickButton(&window(), "SelectStar");
    ASSERT_EQ(form().ws.mode, ClickMode::Select);

    // The whole picture is in view: no panning. The first star gets a double
    // click, which must still make one pick.
    for (int k = 0; k < 5; ++k) {
        const QPoint pointed = k == 0 ? doubleClickPicture(kClicks[k]) : clickPicture(kClicks[k]);
        ASSERT_EQ(form().ws.pickCount, k + 1) << "pick " << k + 1;
        const QPoint refined = brightestBox(form().Picture1, pointed);
        const OverlayItem& marker = form().clicpic[k + 1];
        EXPECT_TRUE(marker.visible) << "pick " << k + 1;
        EXPECT_EQ(marker.left + 8, refined.x()) << "pick " << k + 1;
        EXPECT_EQ(marker.top + 8, refined.y()) << "pick " << k + 1;
        EXPECT_EQ(form().ws.pickX[k + 1], refined.x());
        EXPECT_EQ(form().ws.pickY[k + 1], refined.y());
        if (k == 3) {
            // The magnifier follows the pointer between picks, centred on it
            // on screen, at its own size whatever the zoom.
            const QPoint at = pointAt(QPoint(500, 420));
            EXPECT_TRUE(form().zoom.visible);
            EXPECT_EQ(form().zoom.left, at.x() - 50);
            EXPECT_EQ(form().zoom.top, at.y() - 50);
            const QRect magnifier = window().picture()->magnifierRect();
            EXPECT_EQ(magnifier.size(), QSize(102, 102));
            EXPECT_LE((magnifier.topLeft() + QPoint(50, 50) - onScreen(QPoint(500, 420))).manhattanLength(), 2);
            saveScreenshot(&window(), "picking.png");
        }
    }
    EXPECT_EQ(form().ws.starsPicked, kTrue);
    EXPECT_EQ(form().ws.mode, ClickMode::Picked);

    // Answer each candidate by looking at where its plate puts the picks.
    const fieldsim::PlateFit truth = fieldsim::fitPlate(fieldsim::m67DemoSetup());
    int questions = 0;
    std::function<void(QWidget*)> answer = [&](QWidget* box) {
        ++questions;
        const Plate plate = form().ws.plate;
        const ScaledPoint found = pixelToSky(plate, 500, 400);
        const ScaledPoint expected = pixelToSky(truth.plate, 500, 400);
        const bool right = std::hypot(found.x - expected.x, found.y - expected.y) < 5;
        if (questions == 1) saveScreenshot(&window(), "demo-candidate.png");
        auto* message = qobject_cast<QMessageBox*>(box);
        ASSERT_NE(message, nullptr);
        // The question leaves the picture in sight, to judge the crosses by.
        const QWidget* viewport = window().viewport();
        const QRect picture(viewport->mapToGlobal(QPoint(0, 0)), viewport->size());
        EXPECT_FALSE(message->frameGeometry().intersects(picture))
            << "box " << message->frameGeometry().x() << "," << message->frameGeometry().y() << " " << message->width()
            << "x" << message->height();
        QTest::mouseClick(message->button(right ? QMessageBox::Yes : QMessageBox::No), Qt::LeftButton);
        if (!right) onNextModal(answer);
    };
    onNextModal(answer);
    clickButton(&window(), "startCalcul");

    ASSERT_GE(questions, 1);
    ASSERT_EQ(form().ws.solved, kTrue);
    EXPECT_EQ(form().ws.mode, ClickMode::Coor);
    EXPECT_TRUE(form().icoG.visible);
    // Against the demo's known plate: within a pixel across the picked
    // stars, and within a pixel and a half at the far corners, where the
    // three-star plate extrapolates whole-pixel picks and whole-unit
    // catalogue positions.
    const Plate found = form().ws.plate;
    auto offBy = [&](double x, double y) {
        const ScaledPoint a = pixelToSky(found, x, y);
        const ScaledPoint b = pixelToSky(truth.plate, x, y);
        return std::hypot(a.x - b.x, a.y - b.y);
    };
    for (const QPoint& click : kClicks)
        EXPECT_LT(offBy(click.x(), click.y()), 1.0) << "at star " << click.x() << ", " << click.y();
    EXPECT_LT(offBy(500, 400), 1.0) << "at the centre";
    for (auto [x, y] : {std::pair{0, 0}, {999, 0}, {0, 799}, {999, 799}})
        EXPECT_LT(offBy(x, y), 1.5) << "at corner " << x << ", " << y;

    saveScreenshot(&window(), "demo-solved.png");

    // The refinement over every matched star puts each pixel within 0.3" of
    // the true sky, where the three-star plate is up to 0.55 px (1.4") off.
    const WorkingState& ws = form().ws;
    ASSERT_TRUE(ws.refinement.solution);
    EXPECT_GE(ws.refinement.used, 20);
    const auto& lines = form().status.items;
    EXPECT_TRUE(std::any_of(lines.begin(), lines.end(), [](const std::string& l) { return l.find("RMS") != l.npos; }));
    const fieldsim::FieldSetup setup = fieldsim::m67DemoSetup();
    const SkyMap refined = skyMapOf(ws);
    double worst = 0;
    for (int y = 0; y < 800; y += 20)
        for (int x = 0; x < 1000; x += 20) {
            const ScaledPoint sky = refined.pixelToSky(x, y);
            const fieldsim::SkyPoint truthSky = fieldsim::imageToSky(setup, x, y);
            const double cosDec = std::cos(truthSky.decDeg * std::numbers::pi / 180);
            worst = std::max(worst, 3600 * std::hypot((sky.x / ws.corrAsd - truthSky.raDeg) * cosDec,
                                                      sky.y / ws.corrDec - truthSky.decDeg));
        }
    EXPECT_LT(worst, 0.3);
    window().findChild<QAction*>("mnu_residualvectors")->trigger();
    EXPECT_TRUE(form().residualBar.visible);
    EXPECT_FALSE(form().residualUsed.empty());
    saveScreenshot(&window(), "residual-vectors.png");
    window().findChild<QAction*>("mnu_residualvectors")->trigger();
    EXPECT_FALSE(form().residualBar.visible);

    // In "coor" mode a click reports the sky position of the pixel.
    const QPoint clicked = clickPicture(QPoint(500, 400));
    EXPECT_TRUE(form().Frm6.visible);
    const ScaledPoint centre = pixelToSky(found, clicked.x(), clicked.y());
    const std::string report = form().InfoMore.text;
    const std::string raDegrees = std::to_string(centre.x / form().ws.corrAsd).substr(0, 6);
    EXPECT_NE(report.find(raDegrees), std::string::npos) << "no " << raDegrees << " in\n" << report;
    saveScreenshot(&window(), "point-report.png");

    // A double click on a catalogue star reports the star: its click gives
    // the point report first, and the release ending the double click must
    // not bring the point report back.
    int star = 0;
    for (int i = 1; i <= form().ws.catCount && !star; ++i) {
        const OverlayItem& marker = form().star[i];
        if (marker.visible && std::abs(marker.left + 4 - form().ws.pickX[5]) <= 3 &&
            std::abs(marker.top + 4 - form().ws.pickY[5]) <= 3)
            star = i;
    }
    ASSERT_GT(star, 0) << "no catalogue star on pick 5";
    doubleClickPicture(QPoint(int(form().star[star].left) + 4, int(form().star[star].top) + 4));
    EXPECT_TRUE(form().Frm6.visible);
    const std::string starReport = form().InfoMore.text;
    EXPECT_NE(starReport.find(form().ws.catIds[star]), std::string::npos) << "no " << form().ws.catIds[star] << " in\n"
                                                                          << starReport;
    EXPECT_EQ(starReport.find(raDegrees), std::string::npos) << "the point report came back";
}

// Three demo stars spread over the image (data/demo/solution.txt, stars 1,
// 24 and 7): pixel, then J2000.0 RA and Dec in degrees.
struct DemoStar {
    QPoint pixel;
    double ra, dec;
};
const DemoStar kCalibrationStars[3] = {{{325, 251}, 132.9556427, 11.8941574},
                                       {{162, 765}, 133.0457001, 11.5303259},
                                       {{965, 587}, 132.4867554, 11.6924848}};
constexpr double kDemoCorrAsd = 1409.5690398168265, kDemoCorrDec = 1440;

class CalibrationWindow : public DemoWindow {
protected:
    void startFromMenu(const char* menu) {
        auto* action = window().findChild<QAction*>(menu);
        ASSERT_NE(action, nullptr) << menu;
        action->trigger();
    }

    // Presses "Suivant"; the third press answers the result box and keeps its text.
    void next(bool last) {
        if (last)
            onNextModal([this](QWidget* box) {
                auto* message = qobject_cast<QMessageBox*>(box);
                ASSERT_NE(message, nullptr);
                result = message->text().toStdString();
                message->accept();
            });
        clickButton(&window(), "BoutonEtalo");
    }

    double factor(const TextBox& box) { return std::stod(box.text); }
    std::string result;
};

TEST_F(CalibrationWindow, ByImageGivesTheDemoFactors) {
    typeDemoInputs();
    type("txt_corrasd", "1000");
    type("txt_corrdec", "1000");
    startFromMenu("mnu_etalonage");
    ASSERT_EQ(form().ws.mode, ClickMode::Etalo);
    for (int k = 0; k < 3; ++k) {
        clickPicture(kCalibrationStars[k].pixel);
        const double hours = kCalibrationStars[k].ra / 15, dec = kCalibrationStars[k].dec;
        auto sexagesimal = [](double v, const char* box0, const char* box1, const char* box2, auto& self) {
            const int whole = static_cast<int>(v), minutes = static_cast<int>((v - whole) * 60);
            self.type(box0, std::to_string(whole).c_str());
            self.type(box1, std::to_string(minutes).c_str());
            self.type(box2, QString::number((v - whole - minutes / 60.0) * 3600, 'f', 3).toUtf8().constData());
        };
        sexagesimal(hours, "Etalo2", "Etalo3", "Etalo4", *this);
        sexagesimal(dec, "Etalo5", "Etalo6", "Etalo7", *this);
        clickButton(&window(), "txt_dec_sign2");
        EXPECT_EQ(form().txt_dec_sign_show[1].caption, "+");
        if (k == 2) {
            EXPECT_EQ(form().BoutonEtalo.caption, program->app().ctx.lang.messages[1]);
        }
        next(k == 2);
    }
    ASSERT_NE(result.find("CX = "), std::string::npos) << result;
    EXPECT_NEAR(factor(form().txt_corrasd), kDemoCorrAsd, kDemoCorrAsd * 0.01) << result;
    EXPECT_NEAR(factor(form().txt_corrdec), kDemoCorrDec, kDemoCorrDec * 0.01) << result;
    EXPECT_FALSE(form().frm[4].visible);
}

TEST_F(CalibrationWindow, SuperCalibrationAfterTheSolution) {
    typeDemoInputs();
    clickButton(&window(), "SelectStar");
    for (const QPoint& at : kClicks) clickPicture(at);
    const fieldsim::PlateFit truth = fieldsim::fitPlate(fieldsim::m67DemoSetup());
    std::function<void(QWidget*)> answer = [&](QWidget* box) {
        const ScaledPoint found = pixelToSky(form().ws.plate, 500, 400);
        const ScaledPoint expected = pixelToSky(truth.plate, 500, 400);
        const bool right = std::hypot(found.x - expected.x, found.y - expected.y) < 5;
        QTest::mouseClick(qobject_cast<QMessageBox*>(box)->button(right ? QMessageBox::Yes : QMessageBox::No),
                          Qt::LeftButton);
        if (!right) onNextModal(answer);
    };
    onNextModal(answer);
    clickButton(&window(), "startCalcul");
    ASSERT_EQ(form().ws.solved, kTrue);

    startFromMenu("mnu_superetalonage");
    ASSERT_EQ(form().ws.mode, ClickMode::SuperEtalo);
    const WorkingState& ws = form().ws;
    for (int k = 0; k < 3; ++k) {
        int marker = 0;
        for (int i = 1; i <= ws.catTotal; ++i)
            if (std::abs(ws.catRa[i] - kCalibrationStars[k].ra) < 1e-5 &&
                std::abs(ws.catDec[i] - kCalibrationStars[k].dec) < 1e-5)
                marker = i;
        ASSERT_GT(marker, 0) << "star " << k;
        const OverlayItem& item = form().star[marker];
        clickPicture(
            QPoint(static_cast<int>(item.left + item.width / 2), static_cast<int>(item.top + item.height / 2)));
        EXPECT_TRUE(form().clicpic[k + 1].visible);
        EXPECT_FALSE(form().Etalo[2].text.empty());
        next(k == 2);
    }
    EXPECT_NEAR(factor(form().txt_corrasd), kDemoCorrAsd, kDemoCorrAsd * 0.005) << result;
    EXPECT_NEAR(factor(form().txt_corrdec), kDemoCorrDec, kDemoCorrDec * 0.005) << result;
}

TEST_F(DemoWindow, SolvesMeasuresAndSavesTheReport) {
    folder.write("observer.cfg",
                 "station=G70\ncontact_name=J. Doe\nobservers=J. Doe\naperture_m=0.28\ntelescope_design=reflector\n");
    typeDemoInputs();
    testing::onNextMessageBox(
        [](QMessageBox* box) { QTest::mouseClick(box->button(QMessageBox::Yes), Qt::LeftButton); });
    clickButton(&window(), "AutoSolve");
    ASSERT_TRUE(form().ws.refinement.solution);
    window().findChild<QTabBar*>("TabStrip1")->setCurrentIndex(2);
    type("txt_obstime", "2026-12-08T03:14:15.5");
    clickButton(&window(), "Measure");
    clickPicture(QPoint(533, 464));  // a star, 2 pixels off
    ASSERT_EQ(form().ws.measurements.size(), 1u);
    saveScreenshot(&window(), "measured.png");

    onNextModal<ui::MeasurementsWindow>([&](ui::MeasurementsWindow* measurements) {
        auto* table = measurements->findChild<QTableWidget*>("measurementTable");
        ASSERT_EQ(table->rowCount(), 1);
        table->item(0, 0)->setText("2024 AB12");  // as an edit ends
        saveScreenshot(measurements, "measurements.png");
        onNextModal<QFileDialog>([&](QFileDialog* dialog) {
            dialog->selectFile(QString::fromStdString(folder.file("night.txt")));
            QMetaObject::invokeMethod(dialog, "accept");
        });
        clickButton(measurements, "cmdSave");
        clickButton(measurements, "cmdClose");
    });
    window().findChild<QAction*>("mnu_measurements")->trigger();
    const Result<std::string> report = readFileBytes(folder.file("night.txt"));
    ASSERT_TRUE(report);
    EXPECT_NE(report->find("     K24A12B  C2026 12 08.13490 08 51 11."), std::string::npos) << *report;
    EXPECT_EQ(form().measureMarkers.at(0).text, "2024 AB12");
}

}  // namespace
}  // namespace sextrix

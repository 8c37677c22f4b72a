// Zoom, fit and the mouse tools: the figures of the size rules, and the commands on a real drawing page.
#include "DrawingWindow.h"
#include "drawing/DrawingPage.h"
#include "drawing/Zoom.h"

#include <QScrollBar>
#include <QWheelEvent>

namespace {

// One drawing on a picture of 600 x 300 pixels (natural 9000 x 4500 twips); the part at (100, 40).
Fixtures::Catalogue Catalogue()
{
    Fixtures::Catalogue c(QStringLiteral("D85-1"));
    c.pictureSize = QSize(600, 300);
    c.Chapter(QStringLiteral("C01"), QStringLiteral("章 Chapter"))
        .Drawing(QStringLiteral("E100"), QStringLiteral("图 Drawing"), QStringLiteral("C01"), 1)
        .Part(QStringLiteral("E100"), 1, QStringLiteral("P-1"), QStringLiteral("甲 FIRST"), 1, 1, 1, 100, 40)
        .Part(QStringLiteral("E100"), 2, QStringLiteral("P-2"), QStringLiteral("乙 SECOND"), 1, 1, 1, 500, 250);
    return c;
}

class ZoomTest : public DrawingWindow {
protected:
    void OpenDrawing()
    {
        Open(Catalogue());
        Click(QStringLiteral("BE100"));
        ASSERT_TRUE(frm->imgMain->HasPicture());
    }
    void ShowHighlight()
    {
        frm->LVpart_ItemClick(1);
        ASSERT_TRUE(frm->Shp->isVisible());
    }
    void ExpectShown(float width, float height)
    {
        EXPECT_FLOAT_EQ(frm->imgMain->Width(), width);
        EXPECT_FLOAT_EQ(frm->imgMain->Height(), height);
        EXPECT_EQ(frm->S1->ContentWidth(), std::lrint(width));
        EXPECT_EQ(frm->S1->ContentHeight(), std::lrint(height));
        // Every hotspot follows its callout.
        EXPECT_FLOAT_EQ(frm->HotImg->Element(2)->Left(), (500 * width / 9000 - 8) * 15);
        EXPECT_FLOAT_EQ(frm->HotImg->Element(2)->Top(), (250 * height / 4500 - 8) * 15);
    }
};

} // namespace

TEST(ZoomFigures, SizeRules)
{
    EXPECT_FLOAT_EQ(Zoom::HotspotLeft(100, 9000, 9000), 1380);
    EXPECT_FLOAT_EQ(Zoom::HotspotTop(40, 4500, 4500), 480);
    EXPECT_FLOAT_EQ(Zoom::HotspotLeft(100, 4500, 9000), 630);
    EXPECT_FLOAT_EQ(Zoom::HotspotTop(40, 2250, 4500), 180);

    struct Fit { float vw, vh, width, height; };
    for (const Fit& f : {Fit{6000, 6000, 6000, 3000}, Fit{6000, 2000, 4000, 2000}}) {
        Zoom::Size s;
        ASSERT_TRUE(Zoom::FitSize(f.vw, f.vh, 9000, 4500, s));
        EXPECT_EQ(s.width, f.width);
        EXPECT_EQ(s.height, f.height);
    }
    Zoom::Size none;
    EXPECT_FALSE(Zoom::FitSize(6000, 0, 9000, 4500, none));
    EXPECT_FALSE(Zoom::FitSize(6000, 6000, 0, 0, none));

    // Single precision, as the sizes are kept.
    const float widths[] = {6600, 7260, 7986};
    for (int steps = 1; steps <= 3; ++steps) EXPECT_EQ(Zoom::ByTenth({6000, 3000}, steps).width, widths[steps - 1]);
    EXPECT_EQ(Zoom::ByTenth(Zoom::ByTenth({6000, 3000}, -1), 1).width, 5940);

    EXPECT_EQ(Zoom::Percentage(QStringLiteral("50%"), 9000, 4500).width, 4500);
    EXPECT_EQ(Zoom::Percentage(QStringLiteral("50%"), 9000, 4500).height, 2250);
    EXPECT_EQ(Zoom::Percentage(QStringLiteral("200%"), 9000, 4500).width, 18000);
    EXPECT_EQ(Zoom::Percentage(QStringLiteral("200%"), 9000, 4500).height, 9000);

    EXPECT_EQ(Zoom::LimitTo6000({9000, 4500}).width, 6000);
    EXPECT_EQ(Zoom::LimitTo6000({9000, 4500}).height, 3000);
    EXPECT_EQ(Zoom::LimitTo6000({3000, 9000}).width, 2000);
    EXPECT_EQ(Zoom::LimitTo6000({5000, 4000}).width, 5000);
}

TEST_F(ZoomTest, MenuCommandsAndPercentages)
{
    OpenDrawing();
    frm->mnuTools_D_Click();
    ExpectShown(9000, 4500);
    EXPECT_FLOAT_EQ(frm->HotImg->Element(1)->Left(), 1380);
    EXPECT_FLOAT_EQ(frm->HotImg->Element(1)->Top(), 480);

    frm->Toolbar1_ButtonMenuClick(QStringLiteral("ViewS"), QStringLiteral("50%"));
    ExpectShown(4500, 2250);
    EXPECT_FLOAT_EQ(frm->HotImg->Element(1)->Left(), 630);
    EXPECT_FLOAT_EQ(frm->HotImg->Element(1)->Top(), 180);

    frm->Toolbar1_ButtonMenuClick(QStringLiteral("ViewL"), QStringLiteral("200%"));
    ExpectShown(18000, 9000);

    frm->imgMain->Move(0, 0, 6000, 3000);
    for (float w : {6600.0f, 7260.0f, 7986.0f}) {
        frm->mnuTools_A_Click();
        EXPECT_FLOAT_EQ(frm->imgMain->Width(), w);
    }
    frm->mnuTools_B_Click();
    ExpectShown(7986 - 798.6f, 3993 - 399.3f);
    EXPECT_EQ(ModExplor::MouseTool, 1);   // percentages leave the tool alone
}

TEST_F(ZoomTest, OnlyZoomByATenthHidesTheHighlight)
{
    OpenDrawing();
    struct Case { const char* name; std::function<void()> command; bool hides; };
    const Case cases[] = {
        {"zoom in", [&] { frm->mnuTools_A_Click(); }, true},
        {"zoom out", [&] { frm->mnuTools_B_Click(); }, true},
        {"fit", [&] { frm->mnuTools_Shi_Click(); }, false},
        {"actual size", [&] { frm->mnuTools_D_Click(); }, false},
        {"percentage", [&] { frm->Toolbar1_ButtonMenuClick(QStringLiteral("ViewL"), QStringLiteral("150%")); }, false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        ShowHighlight();
        c.command();
        EXPECT_EQ(frm->Shp->isVisible(), !c.hides);
        EXPECT_TRUE(frm->HotImg->Element(1)->isVisible());
    }
}

TEST_F(ZoomTest, MouseToolsOnThePicture)
{
    OpenDrawing();
    const float w0 = frm->imgMain->Width(), h0 = frm->imgMain->Height();
    const QPoint inside(5, 5);

    // Normal tool: no size change, but the highlight goes.
    ShowHighlight();
    QTest::mousePress(frm->imgMain, Qt::LeftButton, {}, inside);
    EXPECT_FLOAT_EQ(frm->imgMain->Width(), w0);
    EXPECT_FALSE(frm->Shp->isVisible());

    // Zoom-in tool: two presses give 1.21 times the size.
    ModExplor::MouseTool = 2;
    QTest::mousePress(frm->imgMain, Qt::LeftButton, {}, inside);
    QTest::mouseRelease(frm->imgMain, Qt::LeftButton, {}, inside);
    QTest::mousePress(frm->imgMain, Qt::LeftButton, {}, inside);
    QTest::mouseRelease(frm->imgMain, Qt::LeftButton, {}, inside);
    const Zoom::Size twice = Zoom::ByTenth({w0, h0}, 2);
    ExpectShown(twice.width, twice.height);

    // Middle button: nothing but the highlight.
    ShowHighlight();
    QTest::mousePress(frm->imgMain, Qt::MiddleButton, {}, inside);
    QTest::mouseRelease(frm->imgMain, Qt::MiddleButton, {}, inside);
    EXPECT_FLOAT_EQ(frm->imgMain->Width(), twice.width);
    EXPECT_FALSE(frm->Shp->isVisible());

    // Right button: back to the normal tool without zooming.
    ShowHighlight();
    QTest::mousePress(frm->imgMain, Qt::RightButton, {}, inside);
    EXPECT_EQ(ModExplor::MouseTool, 1);
    EXPECT_FLOAT_EQ(frm->imgMain->Width(), twice.width);
    EXPECT_FALSE(frm->Shp->isVisible());

    // Zoom-out tool.
    ModExplor::MouseTool = 3;
    QTest::mousePress(frm->imgMain, Qt::LeftButton, {}, inside);
    const Zoom::Size smaller = Zoom::ByTenth(twice, -1);
    ExpectShown(smaller.width, smaller.height);
}

TEST_F(ZoomTest, CtrlWheelZoomsAndMiddleDragScrolls)
{
    OpenDrawing();
    const float w0 = frm->imgMain->Width(), h0 = frm->imgMain->Height();
    const auto wheel = [&](int delta, Qt::KeyboardModifiers modifiers) {
        const QPointF at(5, 5);
        QWheelEvent e(at, frm->imgMain->mapToGlobal(at), QPoint(), QPoint(0, delta), Qt::NoButton, modifiers,
                      Qt::NoScrollPhase, false);
        QApplication::sendEvent(frm->imgMain, &e);
    };
    wheel(120, Qt::ControlModifier);
    ExpectShown(Zoom::ByTenth({w0, h0}, 1).width, Zoom::ByTenth({w0, h0}, 1).height);
    wheel(-120, Qt::ControlModifier);
    EXPECT_FLOAT_EQ(frm->imgMain->Width(), Zoom::ByTenth(Zoom::ByTenth({w0, h0}, 1), -1).width);
    // Half notches add up; a wheel without Ctrl does not zoom.
    const float before = frm->imgMain->Width();
    wheel(60, Qt::ControlModifier);
    EXPECT_FLOAT_EQ(frm->imgMain->Width(), before);
    wheel(60, Qt::ControlModifier);
    EXPECT_FLOAT_EQ(frm->imgMain->Width(), Zoom::ByTenth({before, 1}, 1).width);
    const float zoomed = frm->imgMain->Width();
    wheel(120, Qt::NoModifier);
    EXPECT_FLOAT_EQ(frm->imgMain->Width(), zoomed);

    // Dragging with the middle button moves the drawing with the mouse.
    frm->Toolbar1_ButtonMenuClick(QStringLiteral("ViewL"), QStringLiteral("200%"));
    QApplication::processEvents();
    QScrollBar* h = frm->S1->horizontalScrollBar();
    QScrollBar* v = frm->S1->verticalScrollBar();
    ASSERT_GE(h->maximum(), 80);
    ASSERT_GE(v->maximum(), 70);
    h->setValue(40);
    v->setValue(40);
    const QPoint start(300, 300);
    QTest::mousePress(frm->imgMain, Qt::MiddleButton, {}, start);
    QMouseEvent move(QEvent::MouseMove, QPointF(start + QPoint(-30, -20)), frm->imgMain->mapToGlobal(QPointF(start + QPoint(-30, -20))),
                     Qt::NoButton, Qt::MiddleButton, Qt::NoModifier);
    QApplication::sendEvent(frm->imgMain, &move);
    QTest::mouseRelease(frm->imgMain, Qt::MiddleButton, {}, start + QPoint(-30, -20));
    EXPECT_EQ(h->value(), 70);
    EXPECT_EQ(v->value(), 60);
    EXPECT_FLOAT_EQ(frm->imgMain->Width(), 18000);
}

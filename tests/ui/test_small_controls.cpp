#include "controls/ControlHelpers.h"
#include "controls/TCenterEdit.h"
#include "controls/TEllipsisLabel.h"
#include "controls/TKVImage.h"
#include "controls/TPaintPanel.h"
#include "controls/TSortListView.h"

#include <QComboBox>
#include <QEnterEvent>
#include <QHeaderView>
#include <QPainter>
#include <QSignalSpy>
#include <QTest>
#include <gtest/gtest.h>

namespace {

void Settle() {
    for (int i = 0; i < 3; ++i)
        QCoreApplication::processEvents();
}

QImage Plain(int w, int h, QColor color) {
    QImage img(w, h, QImage::Format_RGB32);
    img.fill(color);
    return img;
}

class SortListViewTest : public ::testing::Test {
protected:
    void SetUp() override {
        view.setHeaderLabels({"Device Name", "MAC Address", "IP"});
        for (const char* name : {"b", "c", "a"})
            view.addTopLevelItem(new QTreeWidgetItem(QStringList{name, "x", "y"}));
        view.resize(400, 200);
    }
    QStringList Names() const {
        QStringList names;
        for (int i = 0; i < view.topLevelItemCount(); ++i)
            names << view.topLevelItem(i)->text(0);
        return names;
    }
    TSortListView view;
};

TEST_F(SortListViewTest, HeaderClicksChangeTheSortState) {
    view.SetSkipSort1(2);
    struct Step {
        int Column;
        int SortColumn;
        bool Increase;
    };
    const Step steps[] = {
        {0, 0, false},                               // the sort column: direction inverted
        {0, 0, true},  {1, 1, true},                 // another column: direction kept
        {1, 1, false}, {0, 0, false}, {2, 0, false}, // the skipped column changes nothing
    };
    for (const Step& s : steps) {
        view.HeaderClick(s.Column);
        EXPECT_EQ(view.SortColunm(), s.SortColumn) << "after column " << s.Column;
        EXPECT_EQ(view.Increase(), s.Increase) << "after column " << s.Column;
    }
}

TEST_F(SortListViewTest, SkippingTheSortColumnMovesItRight) {
    view.SetSortColumn(1);
    view.SetSkipSort1(1);
    EXPECT_EQ(view.SortColunm(), 2);
    view.SetSkipSort1(0);
    EXPECT_EQ(view.SortColunm(), 2);
}

TEST_F(SortListViewTest, ARealHeaderClickUpdatesStateFirstAndNeverReorders) {
    view.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&view));
    std::vector<std::pair<int, bool>> heard;
    QObject::connect(&view, &TSortListView::ColumnClick,
                     [&](int) { heard.emplace_back(view.SortColunm(), view.Increase()); });
    QHeaderView* header = view.header();
    QPoint second(header->sectionViewportPosition(1) + 10, header->height() / 2);
    QTest::mouseClick(header->viewport(), Qt::LeftButton, Qt::NoModifier, second);
    QTest::mouseClick(header->viewport(), Qt::LeftButton, Qt::NoModifier, second);
    Settle();
    ASSERT_EQ(heard.size(), 2u);
    EXPECT_EQ(heard[0], std::make_pair(1, true));
    EXPECT_EQ(heard[1], std::make_pair(1, false));
    EXPECT_EQ(Names(), QStringList({"b", "c", "a"}));
}

TEST_F(SortListViewTest, IndicatorSitsFivePixelsFromTheRightEdge) {
    view.SetIncBMP(Plain(8, 6, Qt::red));
    view.SetDecBMP(Plain(8, 6, Qt::blue));
    const QRect item(100, 0, 120, 20);
    EXPECT_EQ(view.IndicatorRect(item, 0), QRect(207, 7, 8, 6));
    EXPECT_EQ(view.IndicatorRect(item, 1), QRect(220, 0, 0, 20)) << "not the sort column";
    // A bitmap wider than the item is clipped to it.
    view.SetIncBMP(Plain(200, 30, Qt::red));
    EXPECT_EQ(view.IndicatorRect(item, 0), QRect(100, 0, 120, 20));

    view.SetIncBMP(Plain(8, 6, Qt::red));
    view.SetIncrease(false);
    QImage img = Plain(220, 20, Qt::white);
    QPainter p(&img);
    view.DrawHeaderItem(p, item, 0);
    p.end();
    EXPECT_EQ(img.pixelColor(207, 7), QColor(Qt::blue)) << "descending bitmap";
    EXPECT_EQ(img.pixelColor(214, 12), QColor(Qt::blue));
    EXPECT_EQ(img.pixelColor(215, 12), QColor(Qt::white));
}

TEST_F(SortListViewTest, CaptionStopsTwoPixelsBeforeTheIndicator) {
    view.SetIncBMP(Plain(8, 6, Qt::red));
    view.headerItem()->setText(0, "A very long caption that cannot fit");
    QFont font = view.font();
    font.setStyleStrategy(QFont::NoAntialias);
    view.setFont(font);
    const QRect item(0, 0, 80, 20);
    QImage img = Plain(80, 20, Qt::white);
    QPainter p(&img);
    view.DrawHeaderItem(p, item, 0);
    p.end();
    int rightmostInk = -1;
    for (int y = 0; y < 20; ++y)
        for (int x = 0; x < 80; ++x)
            if (img.pixelColor(x, y) != QColor(Qt::white) &&
                img.pixelColor(x, y) != QColor(Qt::red))
                rightmostInk = std::max(rightmostInk, x);
    EXPECT_GT(rightmostInk, 5);
    EXPECT_LT(rightmostInk, 67 - 2) << "text ends before the indicator at 67";
}

class KVImageTest : public ::testing::Test {
protected:
    QImage normal = Plain(10, 10, Qt::green), over = Plain(10, 10, Qt::yellow),
           disabled = Plain(10, 10, Qt::gray);
};

TEST_F(KVImageTest, MouseOverShowsPictureOneAndLeavingPictureZero) {
    TKVImage image;
    image.SetImageSource(TKVImage::Source::Images);
    image.SetMouseOverEffect(true);
    image.SetImage(1, &over);
    image.SetImage(0, &normal);
    EXPECT_EQ(image.Picture().pixelColor(0, 0), QColor(Qt::green));
    QSignalSpy entered(&image, &TKVImage::OnMouseEnter);
    QEnterEvent enter(QPointF(2, 2), QPointF(2, 2), QPointF(2, 2));
    QCoreApplication::sendEvent(&image, &enter);
    EXPECT_EQ(image.Picture().pixelColor(0, 0), QColor(Qt::yellow));
    EXPECT_EQ(entered.count(), 1);
    QEvent leave(QEvent::Leave);
    QCoreApplication::sendEvent(&image, &leave);
    EXPECT_EQ(image.Picture().pixelColor(0, 0), QColor(Qt::green));

    image.setEnabled(false);
    EXPECT_EQ(image.Picture().pixelColor(0, 0), QColor(Qt::green)) << "no picture 3: kept";
    image.setEnabled(true);
    image.SetImage(3, &disabled);
    image.setEnabled(false);
    EXPECT_EQ(image.Picture().pixelColor(0, 0), QColor(Qt::gray));
    EXPECT_EQ(image.ImageIndex(), 3);
}

TEST_F(KVImageTest, TabButtonsOfOneTagActAsAGroup) {
    QWidget form;
    QWidget* panel = new QWidget(&form);
    TKVImage* tabs[3];
    for (int i = 0; i < 3; ++i) {
        tabs[i] = new TKVImage(panel);
        tabs[i]->SetImageSource(TKVImage::Source::Images);
        tabs[i]->SetImageStyle(TKVImage::Style::TabButton);
        tabs[i]->SetTag(i < 2 ? 7 : 8);
        tabs[i]->SetImage(1, &over);
        tabs[i]->SetImage(0, &normal);
        tabs[i]->resize(10, 10);
    }
    QTest::mousePress(tabs[0], Qt::LeftButton);
    QTest::mousePress(tabs[2], Qt::LeftButton);
    EXPECT_EQ(tabs[0]->ImageIndex(), 1);
    EXPECT_EQ(tabs[2]->ImageIndex(), 1) << "another tag";
    QTest::mousePress(tabs[1], Qt::LeftButton);
    EXPECT_EQ(tabs[1]->ImageIndex(), 1);
    EXPECT_EQ(tabs[0]->ImageIndex(), 0);
    EXPECT_EQ(tabs[2]->ImageIndex(), 1);
}

TEST(ComboHelpersTest, SelectComboByValueQuietlyOrNotAtAll) {
    QComboBox combo;
    combo.addItem("None", 0);
    combo.addItem("WEP", 1);
    combo.addItem("WPA-PSK", 2);
    combo.addItem("Again WEP", 1);
    combo.setCurrentIndex(2);
    QSignalSpy changed(&combo, &QComboBox::currentIndexChanged);
    EXPECT_TRUE(SelectComboByValue(combo, 1));
    EXPECT_EQ(combo.currentIndex(), 1) << "the first entry with the value";
    EXPECT_FALSE(SelectComboByValue(combo, 3));
    EXPECT_EQ(combo.currentIndex(), 1) << "not found keeps the selection";
    EXPECT_EQ(changed.count(), 0);
}

TEST(ComboHelpersTest, FocusEditOnlyWhereTheFieldCanTakeIt) {
    QWidget form;
    QWidget* box = new QWidget(&form);
    TCenterEdit* edit = new TCenterEdit(box);
    QLineEdit* other = new QLineEdit(&form);
    EXPECT_EQ(edit->alignment() & Qt::AlignHorizontal_Mask, Qt::AlignHCenter);
    FocusEdit(edit); // hidden form: nothing, no failure
    FocusEdit(nullptr);
    form.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&form));
    form.activateWindow();
    other->setFocus();
    Settle();
    box->setEnabled(false);
    FocusEdit(edit);
    Settle();
    EXPECT_FALSE(edit->hasFocus()) << "a disabled parent";
    box->setEnabled(true);
    FocusEdit(edit);
    Settle();
    EXPECT_TRUE(edit->hasFocus());
}

TEST(SmallControlsTest, EllipsisAndPaintPanel) {
    TEllipsisLabel label;
    label.setText("Configuration of the wireless access point");
    const int narrow = label.fontMetrics().horizontalAdvance("Configuration of");
    EXPECT_EQ(label.DisplayText(narrow), label.text()) << "no flag: drawn as a label";
    label.SetEllipsisEnd(true);
    QString end = label.DisplayText(narrow);
    EXPECT_TRUE(end.endsWith("...")) << end.toStdString();
    EXPECT_LE(label.fontMetrics().horizontalAdvance(end), narrow);
    label.SetEllipsisEnd(false);
    label.SetEllipsisPath(true);
    label.setText("/usr/share/doc/signalmate/manual.pdf");
    QString path = label.DisplayText(label.fontMetrics().horizontalAdvance("/usr/.../manual.pdf"));
    EXPECT_TRUE(path.endsWith("/manual.pdf")) << path.toStdString();
    EXPECT_TRUE(path.contains("...")) << path.toStdString();

    TPaintPanel panel;
    panel.resize(20, 20);
    int painted = 0;
    panel.OnPaint = [&](TPaintPanel* sender) {
        EXPECT_EQ(sender, &panel);
        QPainter p(sender);
        p.fillRect(sender->rect(), Qt::red);
        ++painted;
    };
    QImage img = Plain(20, 20, Qt::white);
    panel.render(&img);
    EXPECT_EQ(painted, 1);
    EXPECT_EQ(img.pixelColor(10, 10), QColor(Qt::red));
}

} // namespace

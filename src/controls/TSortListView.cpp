#include "controls/TSortListView.h"

#include <QHeaderView>
#include <QPainter>
#include <QStyleOptionHeader>

namespace {

// Every section is drawn by the list view's own header drawing.
class SortHeader : public QHeaderView {
public:
    explicit SortHeader(TSortListView* view) : QHeaderView(Qt::Horizontal, view), view_(view) {
        setSectionsClickable(true);
    }

protected:
    void paintSection(QPainter* painter, const QRect& rect, int logicalIndex) const override {
        if (!rect.isValid())
            return;
        QStyleOptionHeader opt;
        initStyleOption(&opt);
        opt.rect = rect;
        opt.section = logicalIndex;
        opt.text.clear();
        opt.sortIndicator = QStyleOptionHeader::None;
        style()->drawControl(QStyle::CE_HeaderSection, &opt, painter, this);
        view_->DrawHeaderItem(*painter, rect, logicalIndex);
    }

private:
    TSortListView* view_;
};

} // namespace

TSortListView::TSortListView(QWidget* parent) : QTreeWidget(parent) {
    setHeader(new SortHeader(this));
    setRootIsDecorated(false);
    // Sorting stays off (it would reorder the items); the header is clickable all the same.
    setSortingEnabled(false);
    header()->setSectionsClickable(true);
    // The sort state takes the click before anyone else hears of it.
    connect(header(), &QHeaderView::sectionClicked, this, [this](int column) {
        HeaderClick(column);
        emit ColumnClick(column);
        RepaintHeader();
    });
    connect(header(), &QHeaderView::sectionResized, this, [this] { RepaintHeader(); });
}

void TSortListView::RepaintHeader() {
    header()->viewport()->update();
}

void TSortListView::SetIncrease(bool increase) {
    if (increase == Increase_)
        return;
    Increase_ = increase;
    RepaintHeader();
}

void TSortListView::SetSortColumn(int column) {
    if (column == SortColunm_)
        return;
    SortColunm_ = column;
    RepaintHeader();
}

void TSortListView::SetSkipSort1(int column) {
    if (column == SkipSort1_)
        return;
    SkipSort1_ = column;
    if (SkipSort1_ == SortColunm_)
        SetSortColumn(SkipSort1_ + 1);
}

void TSortListView::SetIncBMP(const QImage& bitmap) {
    IncBMP_ = bitmap;
    RepaintHeader();
}

void TSortListView::SetDecBMP(const QImage& bitmap) {
    DecBMP_ = bitmap;
    RepaintHeader();
}

void TSortListView::HeaderClick(int column) {
    if (column == SkipSort1_)
        return;
    if (column == SortColunm_)
        Increase_ = !Increase_;
    else
        SortColunm_ = column;
}

QRect TSortListView::IndicatorRect(const QRect& item, int column) const {
    // Right and bottom are exclusive here, as in the item rectangles of the header.
    const int right = item.x() + item.width(), bottom = item.y() + item.height();
    const QImage& b = Increase_ ? IncBMP_ : DecBMP_;
    if (b.isNull() || column != SortColunm_)
        return QRect(QPoint(right, item.y()), QSize(0, item.height()));
    int left = std::max(item.x(), right - b.width() - 5);
    int aRight = std::min(right, left + b.width());
    int top = std::max(item.y(), item.y() + (item.height() - b.height()) / 2);
    int aBottom = std::min(bottom, top + b.height());
    return QRect(left, top, aRight - left, aBottom - top);
}

void TSortListView::DrawHeaderItem(QPainter& painter, const QRect& item, int column) const {
    const QImage& b = Increase_ ? IncBMP_ : DecBMP_;
    const QRect a = IndicatorRect(item, column);
    const int aLeft = a.x();

    QTreeWidgetItem* headerItem = const_cast<TSortListView*>(this)->headerItem();
    Qt::Alignment align =
        Qt::Alignment(headerItem->textAlignment(column)) & Qt::AlignHorizontal_Mask;
    if (!(align & (Qt::AlignRight | Qt::AlignHCenter)))
        align = Qt::AlignLeft;
    if (layoutDirection() == Qt::RightToLeft && !(align & Qt::AlignHCenter))
        align = (align & Qt::AlignRight) ? Qt::AlignLeft : Qt::AlignRight;

    int tLeft = item.x() + 5, tRight = item.x() + item.width() - 5;
    int tTop = item.y(), tBottom = item.y() + item.height();
    if (tRight > tLeft && tBottom > tTop) {
        const QString caption = headerItem->text(column);
        painter.save();
        painter.setFont(font());
        QFontMetrics fm(font());
        const int w = fm.horizontalAdvance(caption), h = fm.height();
        if (align & Qt::AlignRight) {
            tRight = aLeft - 2;
        } else if (align & Qt::AlignHCenter) {
            int s = (tRight - tLeft - w) / 2;
            if (tRight - s + 2 > aLeft)
                tRight = aLeft - 2;
        } else if (tLeft + w + 2 > aLeft) {
            tRight = aLeft - 2;
        }
        const int down = (tBottom - tTop - h) / 2;
        QRect t(tLeft, tTop + down, std::max(0, tRight - tLeft), tBottom - tTop);
        painter.setPen(palette().color(QPalette::ButtonText));
        painter.drawText(t, int(align) | Qt::AlignTop | Qt::TextSingleLine | Qt::TextExpandTabs,
                         fm.elidedText(caption, Qt::ElideRight, t.width()));
        painter.restore();
    }
    if (!b.isNull() && column == SortColunm_)
        painter.drawImage(a.topLeft(), b, QRect(0, 0, a.width(), a.height()));
}

#pragma once

#include <QImage>
#include <QTreeWidget>

// A report-view list whose header shows which column is "sorted" and in which direction. It
// never reorders its items: the owner sorts, in answer to ColumnClick.
class TSortListView : public QTreeWidget {
    Q_OBJECT
public:
    explicit TSortListView(QWidget* parent = nullptr);

    bool Increase() const { return Increase_; }
    void SetIncrease(bool increase);
    int SortColunm() const { return SortColunm_; }
    void SetSortColumn(int column);
    int SkipSort1() const { return SkipSort1_; }
    void SetSkipSort1(int column);
    const QImage& IncBMP() const { return IncBMP_; }
    void SetIncBMP(const QImage& bitmap);
    const QImage& DecBMP() const { return DecBMP_; }
    void SetDecBMP(const QImage& bitmap);

    // A click on a column's header: inverts the direction of the sort column, or makes another
    // column the sort column; the SkipSort1 column is ignored.
    void HeaderClick(int column);
    // Paints one header item: caption in the list's font, direction bitmap at the right.
    void DrawHeaderItem(QPainter& painter, const QRect& item, int column) const;
    // Where the direction bitmap goes in an item, empty at the right edge when none is drawn.
    QRect IndicatorRect(const QRect& item, int column) const;

signals:
    // After the sort state has taken the click.
    void ColumnClick(int column);

private:
    void RepaintHeader();

    bool Increase_ = true;
    int SortColunm_ = 0;
    int SkipSort1_ = -1;
    QImage IncBMP_;
    QImage DecBMP_;
};

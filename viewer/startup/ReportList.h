// List view in report view: headed columns (widths in twips), rows with a unique key, a text, sub-items
// numbered from 1, a small icon and, where wanted, a check box. Rows are counted from 1.
#pragma once

#include <QHash>
#include <QIcon>
#include <QTreeWidget>

class ReportList : public QTreeWidget {
    Q_OBJECT
public:
    enum Alignment { Left = 0, Right = 1, Center = 2 };

    explicit ReportList(QWidget* parent = nullptr);

    void SetSmallIcons(const QList<QIcon>& icons) { icons_ = icons; }
    void SetCheckBoxes(bool on) { checkBoxes_ = on; }

    // Columns counted from 1; column 1 is the row text, column k the sub-item k - 1.
    void AddColumn(const QString& heading, int widthTwips, Alignment alignment = Left);
    void SetColumnAlignment(int column, Alignment alignment);
    void RemoveAllColumns();
    int ColumnCount() const { return columnCount(); }

    // Adds a row at the end; 0 when the key is already in the list, else the new row's position.
    int AddRow(const QString& key, const QString& text, int smallIcon = 0);
    int Count() const { return topLevelItemCount(); }
    void RemoveRow(const QString& key);
    void RemoveAllRows();

    QString Key(int row) const;
    int RowOfKey(const QString& key) const;   // 0 when missing
    QString Text(int row) const { return SubItem(row, 0); }
    void SetText(int row, const QString& text) { SetSubItem(row, 0, text); }
    QString SubItem(int row, int index) const;
    void SetSubItem(int row, int index, const QString& text);
    int SmallIcon(int row) const;
    void SetSmallIcon(int row, int icon);
    bool Checked(int row) const;
    void SetChecked(int row, bool checked);

    int SelectedRow() const;        // 0 when none
    void Select(int row, bool ensureVisible = true);   // in code: no events

Q_SIGNALS:
    void ItemClick(int row);
    void DblClick();
    // button 1 left, 2 right, 4 middle; shift 1 Shift, 2 Ctrl, 4 Alt; x and y in twips.
    void MouseUp(int button, int shift, float x, float y);

protected:
    void mousePressEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;

private:
    QTreeWidgetItem* Item(int row) const;
    QHash<QString, QTreeWidgetItem*> byKey_;
    QList<QIcon> icons_;
    QList<Alignment> alignments_;
    bool checkBoxes_ = false;
};

// Mouse button and modifier codes of the classic events.
int MouseButtonCode(Qt::MouseButton button);
int ShiftCode(Qt::KeyboardModifiers modifiers);

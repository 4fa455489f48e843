#include "ui/Widgets.h"

#include <QMouseEvent>
#include <QPainter>

namespace veltrasa {
namespace {
void setForeground(QWidget* w, QPalette::ColorRole role, QRgb colour)
{
    QPalette p = w->palette();
    p.setColor(role, QColor::fromRgb(colour));
    w->setPalette(p);
}
} // namespace

LabelWidget::LabelWidget(QWidget* parent) : QLabel(parent)
{
    setAutoFillBackground(false);
    setAttribute(Qt::WA_TranslucentBackground);
    setTextFormat(Qt::PlainText);
    setWordWrap(false);
}

void LabelWidget::setText(const QString& text)
{
    ++textWrites_;
    text_ = text;
    QString shown = text;
    shown.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    QLabel::setText(shown);
    setAccessibleName(text);
}

void LabelWidget::setColour(QRgb colour)
{
    colour_ = colour;
    setForeground(this, QPalette::WindowText, colour);
}

ShapeWidget::ShapeWidget(QWidget* parent, QRgb fill, std::optional<QRgb> border)
    : QWidget(parent), fill_(fill), border_(border)
{
}

void ShapeWidget::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    painter.fillRect(rect(), QColor::fromRgb(fill_));
    if (border_) {
        painter.setPen(QColor::fromRgb(*border_));
        painter.drawRect(rect().adjusted(0, 0, -1, -1));
    }
}

RecordListWidget::RecordListWidget(QWidget* parent) : UniformRowListWidget(parent)
{
    setSelectionMode(QAbstractItemView::SingleSelection);
    setSortingEnabled(false);
    setVerticalScrollBarPolicy(Qt::ScrollBarAsNeeded);
    setHorizontalScrollBarPolicy(Qt::ScrollBarAsNeeded);
    setUniformItemSizes(true);
}

void RecordListWidget::removeRow(int index)
{
    if (index >= 0 && index < count())
        delete takeItem(index);
}

QString RecordListWidget::rowText(int index) const
{
    const QListWidgetItem* it = item(index);
    return it ? it->text() : QString();
}

int RecordListWidget::selectedIndex() const
{
    const auto selected = selectedItems();
    return selected.isEmpty() ? -1 : row(selected.first());
}

void RecordListWidget::select(int index)
{
    if (index < 0 || index >= count()) {
        clearSelection();
        return;
    }
    setCurrentRow(index, QItemSelectionModel::ClearAndSelect);
    scrollToItem(item(index));
}

void RecordListWidget::mousePressEvent(QMouseEvent* event)
{
    if (event->button() == Qt::RightButton) {
        event->accept();
        emit mouseButtonPressed(event->button());
        return;
    }
    QListWidget::mousePressEvent(event);
    emit mouseButtonPressed(event->button());
}

EventButtonWidget::EventButtonWidget(QWidget* parent, const QString& caption) : QPushButton(caption, parent)
{
    setCheckable(true);
    setAccessibleName(caption);
}

OptionButtonWidget::OptionButtonWidget(QWidget* parent, const QString& caption) : QPushButton(caption, parent)
{
    setCheckable(true);
    setAccessibleName(caption);
}

void OptionButtonWidget::setBackground(QRgb colour)
{
    background_ = colour;
    setForeground(this, QPalette::Button, colour);
}

PicturePanelWidget::PicturePanelWidget(QWidget* parent, const QString& lettering)
    : QPushButton(parent), lettering_(lettering)
{
    setAccessibleName(lettering);
}

void PicturePanelWidget::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    QLinearGradient gradient(0, 0, 0, height());
    gradient.setColorAt(0.0, QColor(0x00, 0x00, 0x06));
    gradient.setColorAt(0.5, QColor(0x33, 0x33, 0x99));
    gradient.setColorAt(1.0, QColor(0x00, 0x00, 0x06));
    painter.fillRect(rect(), gradient);
    QFont f = font();
    f.setBold(true);
    painter.setFont(f);
    painter.setPen(Qt::white);
    painter.drawText(rect(), Qt::AlignCenter, lettering_);
}

} // namespace veltrasa

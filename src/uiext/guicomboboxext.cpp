#include "uiext/guicomboboxext.h"

#include "uiext/flatframepainter.h"

#include <QEvent>
#include <QLineEdit>
#include <QPainter>

CGuiComboBoxExt::CGuiComboBoxExt(QWidget *parent) : QComboBox(parent)
{
    setAttribute(Qt::WA_Hover);
}

int CGuiComboBoxExt::drawState() const
{
    if (m_popupShown)
        return FlatFramePainter::Pressed;
    return underMouse() || hasFocus() ? FlatFramePainter::Hot : FlatFramePainter::Normal;
}

QSize CGuiComboBoxExt::sizeHint() const
{
    return FlatFramePainter::fitHeight(QComboBox::sizeHint(), this);
}

QSize CGuiComboBoxExt::minimumSizeHint() const
{
    return FlatFramePainter::fitHeight(QComboBox::minimumSizeHint(), this);
}

void CGuiComboBoxExt::showPopup()
{
    m_popupShown = true;
    update();
    QComboBox::showPopup();
}

void CGuiComboBoxExt::hidePopup()
{
    QComboBox::hidePopup();
    m_popupShown = false;
    update();
}

bool CGuiComboBoxExt::event(QEvent *event)
{
    switch (event->type()) {
    case QEvent::Enter:
    case QEvent::Leave:
    case QEvent::FocusIn:
    case QEvent::FocusOut:
        update();
        break;
    default:
        break;
    }
    const bool handled = QComboBox::event(event);
    if (FlatFramePainter::movesEditor(event))
        placeEditor();
    return handled;
}

void CGuiComboBoxExt::paintEvent(QPaintEvent *)
{
    QPainter p(this);
    const QRect button = FlatFramePainter::buttonRect(this);
    FlatFramePainter::draw(p, rect(), button, drawState(), isEnabled(), palette().color(QPalette::Base));
    if (isEditable())
        return;

    QRect field = FlatFramePainter::editorRect(rect(), button).adjusted(3, 0, -2, 0);
    const QIcon icon = itemIcon(currentIndex());
    if (!icon.isNull()) {
        const QSize size = iconSize();
        const QRect iconRect(field.left(), field.top() + (field.height() - size.height()) / 2, size.width(),
                             size.height());
        icon.paint(&p, iconRect, Qt::AlignCenter, isEnabled() ? QIcon::Normal : QIcon::Disabled);
        field.setLeft(iconRect.right() + 4);
    }
    p.setPen(palette().color(isEnabled() ? QPalette::Active : QPalette::Disabled, QPalette::Text));
    p.drawText(field, Qt::AlignVCenter | Qt::AlignLeft | Qt::TextSingleLine,
               fontMetrics().elidedText(currentText(), Qt::ElideRight, field.width()));
}

void CGuiComboBoxExt::resizeEvent(QResizeEvent *event)
{
    QComboBox::resizeEvent(event);
    placeEditor();
}

void CGuiComboBoxExt::placeEditor()
{
    if (QLineEdit *edit = lineEdit())
        FlatFramePainter::placeEditor(edit, this);
}

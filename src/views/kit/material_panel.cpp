#include "views/kit/material_panel.h"

#include "views/kit/material.h"

#include <QPainter>

void MaterialPanel::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    painter.setRenderHint(QPainter::Antialiasing, true);
    painter.setPen(QPen(Material::edge(palette()), 1));
    painter.setBrush(Material::fill(palette()));
    painter.drawRoundedRect(QRectF(rect()).adjusted(0.5, 0.5, -0.5, -0.5), m_radius, m_radius);
}

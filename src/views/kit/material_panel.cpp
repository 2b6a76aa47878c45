#include "views/kit/material_panel.h"

#include "views/kit/material.h"

#include <QPainter>

void MaterialPanel::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    painter.setRenderHint(QPainter::Antialiasing, true);
    Material::drawPanel(painter, rect(), m_radius, palette());
}

#pragma once

#include <QWidget>

namespace qs::gallery {

class frmPreview : public QWidget
{
public:
    explicit frmPreview(QWidget *parent = nullptr);
};

} // namespace qs::gallery

#include "Resources.h"

#include <QtCore/QDir>

void LoadResources()
{
    Q_INIT_RESOURCE(vellum);
}

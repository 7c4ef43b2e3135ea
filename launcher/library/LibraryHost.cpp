#include "library/LibraryHost.h"

#include <QCoreApplication>

void LibraryHost::processEvents()
{
    if (QCoreApplication::instance())
        QCoreApplication::processEvents();
}

void BasicLibraryHost::processEvents()
{
    ++m_eventRuns;
    LibraryHost::processEvents();
}

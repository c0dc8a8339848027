#pragma once
// Text expressions joined into one text in the dialect of the connection's platform, a Null part
// counting as empty (as the server's ISNULL(x,'') chains do):
//   SQL Server  ISNULL(a,'')+ISNULL(b,'')
//   Oracle      NVL(a,'')||NVL(b,'')
//   embedded    IFNULL(a,'')||IFNULL(b,'')
// Statements build their joined texts with it instead of writing a server form the others must guess at.

#include "CadenaConexion.h"

#include <QString>
#include <QStringList>

QString ConcatenarTextos(Plataforma plataforma, const QStringList& expresiones);

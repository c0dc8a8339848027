#include "frmAcceso.h"

#include <QComboBox>
#include <QFormLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QScreen>
#include <QVBoxLayout>

frmAcceso::frmAcceso(QWidget* parent)
    : QDialog(parent)
{
    setObjectName(QStringLiteral("frmAcceso"));
    setWindowTitle(QStringLiteral("Control de Acceso"));

    framAcceso = new QGroupBox(this);
    framAcceso->setObjectName(QStringLiteral("framAcceso"));
    auto* campos = new QFormLayout(framAcceso);
    const auto campo = [&](const char* nombre, const QString& etiqueta) {
        auto* edit = new QLineEdit(framAcceso);
        edit->setObjectName(QLatin1String(nombre));
        auto* label = new QLabel(etiqueta, framAcceso);
        label->setBuddy(edit);
        campos->addRow(label, edit);
        return edit;
    };
    TxtServidor = campo("TxtServidor", QStringLiteral("&Servidor"));
    TxtDbName = campo("TxtDbName", QStringLiteral("&Base de Datos"));
    TxtUserId = campo("TxtUserId", QStringLiteral("&Usuario"));
    TxtUserPassword = campo("TxtUserPassword", QStringLiteral("&Contraseña"));
    TxtUserPassword->setEchoMode(QLineEdit::Password);
    TxtUserPassword->setStyleSheet(QStringLiteral("lineedit-password-character: 42"));   // "*"

    CboPlataformaDB = new QComboBox(framAcceso);
    CboPlataformaDB->setObjectName(QStringLiteral("CboPlataformaDB"));
    CboPlataformaDB->addItems({QStringLiteral("SQL Server"), QStringLiteral("ORACLE")});
    campos->addRow(CboPlataformaDB);

    bcAceptar = new QPushButton(QStringLiteral("Aceptar"), this);
    bcAceptar->setObjectName(QStringLiteral("bcAceptar"));
    bcAceptar->setDefault(true);
    bcCancelar = new QPushButton(QStringLiteral("Cancelar"), this);
    bcCancelar->setObjectName(QStringLiteral("bcCancelar"));
    connect(bcAceptar, &QPushButton::clicked, this, &frmAcceso::bcAceptar_Click);
    connect(bcCancelar, &QPushButton::clicked, this, &frmAcceso::bcCancelar_Click);

    auto* botones = new QHBoxLayout;
    botones->addStretch();
    botones->addWidget(bcAceptar);
    botones->addWidget(bcCancelar);
    auto* todo = new QVBoxLayout(this);
    todo->addWidget(framAcceso);
    todo->addLayout(botones);
}

void frmAcceso::bcAceptar_Click()
{
    Aceptar = true;
    accept();
}

void frmAcceso::bcCancelar_Click()
{
    reject();
}

void frmAcceso::reject()
{
    Aceptar = false;
    QDialog::reject();
}

void frmAcceso::showEvent(QShowEvent* event)
{
    QDialog::showEvent(event);
    if (const QScreen* pantalla = screen()) {
        QRect r = frameGeometry();
        r.moveCenter(pantalla->availableGeometry().center());
        move(r.topLeft());
    }
}

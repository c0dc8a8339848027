#pragma once
// The connection dialog: server, database, user, password and platform. The buttons only set Aceptar and
// close the window; the data-access object reads the fields afterwards.

#include <QDialog>

class QComboBox;
class QGroupBox;
class QLineEdit;
class QPushButton;

class frmAcceso : public QDialog {
    Q_OBJECT
public:
    explicit frmAcceso(QWidget* parent = nullptr);

    bool Aceptar = false;

    QGroupBox* framAcceso = nullptr;
    QLineEdit* TxtServidor = nullptr;
    QLineEdit* TxtDbName = nullptr;
    QLineEdit* TxtUserId = nullptr;
    QLineEdit* TxtUserPassword = nullptr;
    QComboBox* CboPlataformaDB = nullptr;   // "SQL Server", "ORACLE"
    QPushButton* bcAceptar = nullptr;
    QPushButton* bcCancelar = nullptr;

    void bcAceptar_Click();
    void bcCancelar_Click();

    // Escape and the close box count as Cancelar.
    void reject() override;

protected:
    void showEvent(QShowEvent* event) override;
};

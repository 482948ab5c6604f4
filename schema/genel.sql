-- The general database AnaData/Genel.mdb: the cash-book registry (firma.sql), the reference
-- lists and the passwords, with the lists a new installation starts with.

CREATE TABLE kasaneden (
    kasanedeid   INTEGER PRIMARY KEY AUTOINCREMENT,
    kasanedenine VARCHAR(30) CHECK (length(kasanedenine) <= 30)
);

CREATE TABLE parabirimi (
    pid     INTEGER PRIMARY KEY AUTOINCREMENT,
    kodu    VARCHAR(15) CHECK (length(kodu) <= 15),
    aciklama VARCHAR(50) CHECK (length(aciklama) <= 50),
    not1    VARCHAR(1)  CHECK (length(not1) <= 1)
);

CREATE TABLE sifre (
    sid               INTEGER PRIMARY KEY AUTOINCREMENT,
    kullanici         VARCHAR(16) CHECK (length(kullanici) <= 16),
    sifre             VARCHAR(16) CHECK (length(sifre) <= 16),
    adi               VARCHAR(16) CHECK (length(adi) <= 16),
    soyadi            VARCHAR(16) CHECK (length(soyadi) <= 16),
    firmaadi          VARCHAR(50) CHECK (length(firmaadi) <= 50),
    firmaadres        VARCHAR(70) CHECK (length(firmaadres) <= 70),
    firmatel          VARCHAR(20) CHECK (length(firmatel) <= 20),
    firmafax          VARCHAR(20) CHECK (length(firmafax) <= 20),
    ekle              VARCHAR(1)  CHECK (length(ekle) <= 1),
    degistir          VARCHAR(1)  CHECK (length(degistir) <= 1),
    herksesigor       VARCHAR(1)  CHECK (length(herksesigor) <= 1),
    herkesidegistir   VARCHAR(1)  CHECK (length(herkesidegistir) <= 1),
    baskasirandevuver VARCHAR(1)  CHECK (length(baskasirandevuver) <= 1)
);

CREATE TABLE master (
    mids VARCHAR(16) CHECK (length(mids) <= 16)
);

INSERT INTO parabirimi (kodu) VALUES ('TL');
INSERT INTO parabirimi (kodu) VALUES ('USD');
INSERT INTO parabirimi (kodu) VALUES ('EURO');

INSERT INTO kasaneden (kasanedenine) VALUES ('SATIŞ');
INSERT INTO kasaneden (kasanedenine) VALUES ('TAHSİLAT');
INSERT INTO kasaneden (kasanedenine) VALUES ('ÖDEME');
INSERT INTO kasaneden (kasanedenine) VALUES ('MAL ALIMI');
INSERT INTO kasaneden (kasanedenine) VALUES ('KİRA');
INSERT INTO kasaneden (kasanedenine) VALUES ('ELEKTRİK');
INSERT INTO kasaneden (kasanedenine) VALUES ('SU');
INSERT INTO kasaneden (kasanedenine) VALUES ('DOĞALGAZ');
INSERT INTO kasaneden (kasanedenine) VALUES ('TELEFON');
INSERT INTO kasaneden (kasanedenine) VALUES ('PERSONEL MAAŞI');
INSERT INTO kasaneden (kasanedenine) VALUES ('VERGİ');
INSERT INTO kasaneden (kasanedenine) VALUES ('SGK PRİMİ');
INSERT INTO kasaneden (kasanedenine) VALUES ('BANKAYA YATAN');
INSERT INTO kasaneden (kasanedenine) VALUES ('BANKADAN ÇEKİLEN');
INSERT INTO kasaneden (kasanedenine) VALUES ('GENEL GİDER');

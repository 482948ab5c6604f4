-- Per-currency totals of the whole year, in kuruş, kept exact by the triggers below in the same
-- transaction as every change of a movement: the carry-over reads each currency's closing
-- balance from one row, so it and its check cost what the currencies cost, not the days or
-- the movements. Every amount counts as its value rounded half away from zero to two
-- decimals, as in nakit_gunluk, and the kuruş add and subtract as integers, so the totals
-- equal the sums of the per-day totals exactly.
--   borc_kurus, alacak_kurus: sums of borc_tutar, alacak_tutar in kuruş;
--   adet: movements of the currency (a row with none is removed).
DROP TRIGGER IF EXISTS nakit_yillik_ekle;
DROP TRIGGER IF EXISTS nakit_yillik_sil;
DROP TRIGGER IF EXISTS nakit_yillik_degistir;
DROP TABLE IF EXISTS nakit_yillik;

CREATE TABLE nakit_yillik (
    doviz_cinsi  VARCHAR(5),
    borc_kurus   INTEGER NOT NULL DEFAULT 0,
    alacak_kurus INTEGER NOT NULL DEFAULT 0,
    adet         INTEGER NOT NULL DEFAULT 0
);

CREATE INDEX nakit_yillik_doviz ON nakit_yillik (doviz_cinsi);

CREATE TRIGGER nakit_yillik_ekle AFTER INSERT ON nakit BEGIN
    INSERT INTO nakit_yillik (doviz_cinsi)
        SELECT NEW.doviz_cinsi
        WHERE NOT EXISTS (SELECT 1 FROM nakit_yillik WHERE doviz_cinsi IS NEW.doviz_cinsi);
    UPDATE nakit_yillik SET
        borc_kurus = borc_kurus + IFNULL(CAST(NEW.borc_tutar * 100 + (CASE WHEN NEW.borc_tutar < 0 THEN -0.5 ELSE 0.5 END) AS INTEGER), 0),
        alacak_kurus = alacak_kurus + IFNULL(CAST(NEW.alacak_tutar * 100 + (CASE WHEN NEW.alacak_tutar < 0 THEN -0.5 ELSE 0.5 END) AS INTEGER), 0),
        adet = adet + 1
    WHERE doviz_cinsi IS NEW.doviz_cinsi;
END;

CREATE TRIGGER nakit_yillik_sil AFTER DELETE ON nakit BEGIN
    UPDATE nakit_yillik SET
        borc_kurus = borc_kurus - IFNULL(CAST(OLD.borc_tutar * 100 + (CASE WHEN OLD.borc_tutar < 0 THEN -0.5 ELSE 0.5 END) AS INTEGER), 0),
        alacak_kurus = alacak_kurus - IFNULL(CAST(OLD.alacak_tutar * 100 + (CASE WHEN OLD.alacak_tutar < 0 THEN -0.5 ELSE 0.5 END) AS INTEGER), 0),
        adet = adet - 1
    WHERE doviz_cinsi IS OLD.doviz_cinsi;
    DELETE FROM nakit_yillik WHERE doviz_cinsi IS OLD.doviz_cinsi AND adet = 0;
END;

CREATE TRIGGER nakit_yillik_degistir
AFTER UPDATE OF doviz_cinsi, borc_tutar, alacak_tutar ON nakit BEGIN
    UPDATE nakit_yillik SET
        borc_kurus = borc_kurus - IFNULL(CAST(OLD.borc_tutar * 100 + (CASE WHEN OLD.borc_tutar < 0 THEN -0.5 ELSE 0.5 END) AS INTEGER), 0),
        alacak_kurus = alacak_kurus - IFNULL(CAST(OLD.alacak_tutar * 100 + (CASE WHEN OLD.alacak_tutar < 0 THEN -0.5 ELSE 0.5 END) AS INTEGER), 0),
        adet = adet - 1
    WHERE doviz_cinsi IS OLD.doviz_cinsi;
    DELETE FROM nakit_yillik WHERE doviz_cinsi IS OLD.doviz_cinsi AND adet = 0;
    INSERT INTO nakit_yillik (doviz_cinsi)
        SELECT NEW.doviz_cinsi
        WHERE NOT EXISTS (SELECT 1 FROM nakit_yillik WHERE doviz_cinsi IS NEW.doviz_cinsi);
    UPDATE nakit_yillik SET
        borc_kurus = borc_kurus + IFNULL(CAST(NEW.borc_tutar * 100 + (CASE WHEN NEW.borc_tutar < 0 THEN -0.5 ELSE 0.5 END) AS INTEGER), 0),
        alacak_kurus = alacak_kurus + IFNULL(CAST(NEW.alacak_tutar * 100 + (CASE WHEN NEW.alacak_tutar < 0 THEN -0.5 ELSE 0.5 END) AS INTEGER), 0),
        adet = adet + 1
    WHERE doviz_cinsi IS NEW.doviz_cinsi;
END;

-- Totals of the movements already there (when an older cash-book database gets the table).
INSERT INTO nakit_yillik (doviz_cinsi, borc_kurus, alacak_kurus, adet)
    SELECT doviz_cinsi, SUM(IFNULL(CAST(borc_tutar * 100 + (CASE WHEN borc_tutar < 0 THEN -0.5 ELSE 0.5 END) AS INTEGER), 0)), SUM(IFNULL(CAST(alacak_tutar * 100 + (CASE WHEN alacak_tutar < 0 THEN -0.5 ELSE 0.5 END) AS INTEGER), 0)), COUNT(*)
    FROM nakit GROUP BY doviz_cinsi;

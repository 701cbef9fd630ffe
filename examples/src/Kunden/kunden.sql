/* ###TechGen_Start Tabelle KUNDEN
###Toc Datenbank;Tabelle KUNDEN;Tabelle_KUNDEN
###Index KUNDEN;Tabelle KUNDEN;Tabelle_KUNDEN
Die Tabelle hält einen Datensatz je Kunde. <TT>NUMMER</TT> ist der
Primärschlüssel; <TT>ARCHIV</TT> ist 1 für gelöschte Kunden.
###TechGen_End */
CREATE TABLE KUNDEN (
    NUMMER  INTEGER      NOT NULL PRIMARY KEY,
    NAME    VARCHAR(80)  NOT NULL,
    STRASSE VARCHAR(80),
    ORT     VARCHAR(80),
    ARCHIV  SMALLINT     DEFAULT 0 NOT NULL
);

-- ###DocGen_Start Datensicherung
-- ###Toc Verwaltung;Datensicherung;Datensicherung
-- Sichern Sie die Datenbank täglich. Die Sicherung enthält auch das
-- Archiv der gelöschten Kunden.
-- ###DocGen_End

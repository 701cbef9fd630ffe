Attribute VB_Name = "Export"
Option Explicit

' ###DocGen_Start Daten exportieren
' ###ContextID 1004
' ###Toc Bedienung;Daten exportieren;Daten_exportieren
' ###Index Export;Daten exportieren;Daten_exportieren
' Über <I>Datei > Exportieren</I> schreiben Sie alle Kunden in eine
' Textdatei, die jede Tabellenkalkulation öffnen kann.
'
' Felder werden durch Semikolons getrennt; Umlaute bleiben erhalten.
' ###DocGen_End

' ###TechGen_Start Modul Export
' ###Toc Module;Modul Export;Modul_Export
' <TT>ExportiereKunden</TT> schreibt eine Zeile je Kunde. Die Datei wird
' zuerst unter einem vorläufigen Namen geschrieben und erst am Ende
' umbenannt, damit ein Abbruch keine halbe Datei hinterlässt.
' ###TechGen_End

Public Sub ExportiereKunden(ByVal Datei As String)
    Dim Nr As Integer
    Nr = FreeFile
    Open Datei & ".tmp" For Output As #Nr
    Print #Nr, "Nummer;Name;Ort"
    Close #Nr
    Name Datei & ".tmp" As Datei
End Sub

<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="en_US">
<context>
    <name>DamagedFile</name>
    <message numerus="yes">
        <source>a read from offset %1 of %2 byte(s) lies outside the file</source>
        <translation>
            <numerusform>a read from offset %1 of %2 byte lies outside the file</numerusform>
            <numerusform>a read from offset %1 of %2 bytes lies outside the file</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>%n record(s)</source>
        <translation>
            <numerusform>%n record</numerusform>
            <numerusform>%n records</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>%n chunk(s)</source>
        <translation>
            <numerusform>%n chunk</numerusform>
            <numerusform>%n chunks</numerusform>
        </translation>
    </message>
</context>
<context>
    <name>LibraryScan</name>
    <message numerus="yes">
        <source>%Ln file(s)</source>
        <translation>
            <numerusform>%Ln file</numerusform>
            <numerusform>%Ln files</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>%Ln style(s)</source>
        <translation>
            <numerusform>%Ln style</numerusform>
            <numerusform>%Ln styles</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>%Ln ghost style(s)</source>
        <translation>
            <numerusform>%Ln ghost style</numerusform>
            <numerusform>%Ln ghost styles</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>%Ln damaged style(s)</source>
        <translation>
            <numerusform>%Ln damaged style</numerusform>
            <numerusform>%Ln damaged styles</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>%Ln duplicate(s)</source>
        <translation>
            <numerusform>%Ln duplicate</numerusform>
            <numerusform>%Ln duplicates</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>%Ln file(s) with problems</source>
        <translation>
            <numerusform>%Ln file with problems</numerusform>
            <numerusform>%Ln files with problems</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>stopped: %Ln file(s) not read</source>
        <translation>
            <numerusform>stopped: %Ln file not read</numerusform>
            <numerusform>stopped: %Ln files not read</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>stopped: meter and tempo of %Ln file(s) not read</source>
        <translation>
            <numerusform>stopped: meter and tempo of %Ln file not read</numerusform>
            <numerusform>stopped: meter and tempo of %Ln files not read</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>stopped: %Ln style(s) not checked for duplicates</source>
        <translation>
            <numerusform>stopped: %Ln style not checked for duplicates</numerusform>
            <numerusform>stopped: %Ln styles not checked for duplicates</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>%L1 of %Ln file(s) read</source>
        <translation>
            <numerusform>%L1 of %Ln file read</numerusform>
            <numerusform>%L1 of %Ln files read</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>meter and tempo: %L1 of %Ln file(s)</source>
        <translation>
            <numerusform>meter and tempo: %L1 of %Ln file</numerusform>
            <numerusform>meter and tempo: %L1 of %Ln files</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>checking duplicates: %L1 of %Ln style(s)</source>
        <translation>
            <numerusform>checking duplicates: %L1 of %Ln style</numerusform>
            <numerusform>checking duplicates: %L1 of %Ln styles</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>stopped: the music of %Ln style(s) not exported</source>
        <translation>
            <numerusform>stopped: the music of %Ln style not exported</numerusform>
            <numerusform>stopped: the music of %Ln styles not exported</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>exporting music: %L1 of %Ln style(s)</source>
        <translation>
            <numerusform>exporting music: %L1 of %Ln style</numerusform>
            <numerusform>exporting music: %L1 of %Ln styles</numerusform>
        </translation>
    </message>
</context>
<context>
    <name>LibraryWindow</name>
    <message numerus="yes">
        <source>%Ln MIDI file(s) written</source>
        <translation>
            <numerusform>%Ln MIDI file written</numerusform>
            <numerusform>%Ln MIDI files written</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>%Ln style(s) without known music</source>
        <translation>
            <numerusform>%Ln style without known music</numerusform>
            <numerusform>%Ln styles without known music</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>%Ln problem(s)</source>
        <translation>
            <numerusform>%Ln problem</numerusform>
            <numerusform>%Ln problems</numerusform>
        </translation>
    </message>
</context>
<context>
    <name>Pattern</name>
    <message numerus="yes">
        <source>%1 %Ln note(s)</source>
        <translation>
            <numerusform>%1 %Ln note</numerusform>
            <numerusform>%1 %Ln notes</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>%Ln bar(s)</source>
        <translation>
            <numerusform>%Ln bar</numerusform>
            <numerusform>%Ln bars</numerusform>
        </translation>
    </message>
</context>
<context>
    <name>StyleList</name>
    <message numerus="yes">
        <source>%1, %2, %3 byte(s), ghost</source>
        <comment>number, name, size</comment>
        <translation>
            <numerusform>%1, %2, %3 byte, ghost</numerusform>
            <numerusform>%1, %2, %3 bytes, ghost</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>%1, %2, %3 byte(s)</source>
        <comment>number, name, size</comment>
        <translation>
            <numerusform>%1, %2, %3 byte</numerusform>
            <numerusform>%1, %2, %3 bytes</numerusform>
        </translation>
    </message>
</context>
</TS>

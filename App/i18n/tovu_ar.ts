<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="ar">
<context>
    <name>tovu</name>
    <message>
        <source>No phone number found. Paste or type one.</source>
        <translation>لم يُعثر على رقم هاتف. الصق رقمًا أو اكتبه.</translation>
    </message>
    <message>
        <source>Could not open WhatsApp.</source>
        <translation>تعذّر فتح واتساب.</translation>
    </message>
    <message>
        <source>Open chat</source>
        <translation>افتح المحادثة</translation>
    </message>
    <message>
        <source>Open at login</source>
        <translation>افتح عند تسجيل الدخول</translation>
    </message>
    <message>
        <source>Language</source>
        <translation>اللغة</translation>
    </message>
    <message>
        <source>System</source>
        <translation>لغة النظام</translation>
    </message>
    <message>
        <source>Quit tovu</source>
        <translation>إنهاء tovu</translation>
    </message>
    <message>
        <source>tovu: open a WhatsApp chat</source>
        <translation>tovu: افتح محادثة واتساب</translation>
    </message>
</context>
</TS>

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
    <message>
        <source>Mobile</source>
        <translation>جوال</translation>
    </message>
    <message>
        <source>Landline</source>
        <translation>هاتف أرضي</translation>
    </message>
    <message>
        <source>Opens the chat in WhatsApp</source>
        <translation>يفتح المحادثة في واتساب</translation>
    </message>
    <message>
        <source>Not filled in yet. Click to add.</source>
        <translation>لم تُملأ بعد. انقر للإضافة.</translation>
    </message>
    <message>
        <source>Edit</source>
        <translation>تعديل</translation>
    </message>
    <message>
        <source>Send</source>
        <translation>إرسال</translation>
    </message>
    <message>
        <source>New Message</source>
        <translation>رسالة جديدة</translation>
    </message>
    <message>
        <source>Restore Ready-Made Messages</source>
        <translation>استعادة الرسائل الجاهزة</translation>
    </message>
    <message>
        <source>The arrow opens WhatsApp, which asks which chat.</source>
        <translation>يفتح السهم واتساب، ويسألك واتساب عن المحادثة.</translation>
    </message>
    <message>
        <source>Back</source>
        <translation>رجوع</translation>
    </message>
    <message>
        <source>Edit Message</source>
        <translation>تعديل الرسالة</translation>
    </message>
    <message>
        <source>Write your message</source>
        <translation>اكتب رسالتك</translation>
    </message>
    <message>
        <source>Message</source>
        <translation>الرسالة</translation>
    </message>
    <message>
        <source>The first line is the title in your list. All of it goes into WhatsApp, ready for you to send.</source>
        <translation>السطر الأول هو عنوانها في قائمتك. وتنتقل الرسالة كلها إلى واتساب جاهزة للإرسال.</translation>
    </message>
    <message>
        <source>Delete</source>
        <translation>حذف</translation>
    </message>
    <message>
        <source>Save</source>
        <translation>حفظ</translation>
    </message>
    <message>
        <source>tovu</source>
        <translation>tovu</translation>
    </message>
    <message>
        <source>More</source>
        <translation>المزيد</translation>
    </message>
    <message>
        <source>Paste a number</source>
        <translation>الصق رقمًا</translation>
    </message>
    <message>
        <source>Phone number</source>
        <translation>رقم الهاتف</translation>
    </message>
    <message>
        <source>Clear</source>
        <translation>مسح</translation>
    </message>
    <message>
        <source>Open the copied number</source>
        <translation>افتح الرقم المنسوخ</translation>
    </message>
    <message>
        <source>Which number?</source>
        <translation>أيّ رقم؟</translation>
    </message>
    <message>
        <source>Number</source>
        <translation>رقم</translation>
    </message>
    <message>
        <source>Messages</source>
        <translation>رسائل</translation>
    </message>
    <message>
        <source>Could not save your messages (%1). Your changes are kept until tovu quits.</source>
        <translation>تعذّر حفظ رسائلك (%1). تبقى تغييراتك في الذاكرة إلى أن يُغلق tovu.</translation>
    </message>
</context>
</TS>

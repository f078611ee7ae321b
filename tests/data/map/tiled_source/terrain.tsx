<?xml version="1.0" encoding="UTF-8"?>
<tileset version="1.8" tiledversion="1.8.2" name="terrain" tilewidth="64" tileheight="64" tilecount="50" columns="10">
 <image source="terrain.bmp" width="640" height="320"/>
  <tile id="0">
   <properties>
    <property name="walkable" type="bool" value="true"/>
   </properties>
  </tile>
  <tile id="1">
   <properties>
    <property name="walkable" type="bool" value="true"/>
   </properties>
  </tile>
  <tile id="2">
   <properties>
    <property name="walkable" type="bool" value="true"/>
   </properties>
  </tile>
  <tile id="3">
   <properties>
    <property name="sound" value="grass"/>
    <property name="walkable" type="bool" value="true"/>
   </properties>
  </tile>
  <tile id="4">
   <properties>
    <property name="walkable" type="bool" value="true"/>
   </properties>
  </tile>
  <tile id="5">
   <properties>
    <property name="walkable" type="bool" value="false"/>
   </properties>
  </tile>
  <tile id="6">
   <properties>
    <property name="walkable" type="bool" value="true"/>
   </properties>
  </tile>
  <tile id="7">
   <properties>
    <property name="walkable" type="bool" value="true"/>
   </properties>
  </tile>
  <tile id="8">
   <properties>
    <property name="walkable" type="bool" value="true"/>
   </properties>
  </tile>
  <tile id="9">
   <properties>
    <property name="walkable" type="bool" value="true"/>
   </properties>
  </tile>
  <tile id="10">
   <properties>
    <property name="walkable" type="bool" value="true"/>
   </properties>
  </tile>
  <tile id="11">
   <properties>
    <property name="walkable" type="bool" value="false"/>
   </properties>
  </tile>
  <tile id="12">
   <properties>
    <property name="walkable" type="bool" value="true"/>
   </properties>
  </tile>
  <tile id="13">
   <properties>
    <property name="walkable" type="bool" value="true"/>
   </properties>
  </tile>
  <tile id="14">
   <properties>
    <property name="walkable" type="bool" value="true"/>
   </properties>
  </tile>
  <tile id="15">
   <properties>
    <property name="walkable" type="bool" value="true"/>
   </properties>
  </tile>
  <tile id="16">
   <properties>
    <property name="walkable" type="bool" value="true"/>
   </properties>
  </tile>
  <tile id="17">
   <properties>
    <property name="walkable" type="bool" value="true"/>
   </properties>
  </tile>
  <tile id="18">
   <properties>
    <property name="walkable" type="bool" value="true"/>
   </properties>
  </tile>
  <tile id="19">
   <properties>
    <property name="walkable" type="bool" value="true"/>
   </properties>
  </tile>
  <tile id="21">
   <properties>
    <property name="walkable" type="bool" value="true"/>
   </properties>
  </tile>
  <tile id="22">
   <properties>
    <property name="walkable" type="bool" value="true"/>
   </properties>
  </tile>
  <tile id="23">
   <properties>
    <property name="walkable" type="bool" value="true"/>
   </properties>
  </tile>
  <tile id="24">
   <properties>
    <property name="walkable" type="bool" value="true"/>
   </properties>
  </tile>
  <tile id="25">
   <properties>
    <property name="walkable" type="bool" value="true"/>
   </properties>
  </tile>
  <tile id="26">
   <properties>
    <property name="walkable" type="bool" value="true"/>
   </properties>
  </tile>
  <tile id="27">
   <properties>
    <property name="walkable" type="bool" value="true"/>
   </properties>
  </tile>
  <tile id="28">
   <properties>
    <property name="walkable" type="bool" value="true"/>
   </properties>
  </tile>
  <tile id="29">
   <properties>
    <property name="walkable" type="bool" value="true"/>
   </properties>
  </tile>
  <tile id="30">
   <properties>
    <property name="walkable" type="bool" value="true"/>
   </properties>
  </tile>
  <tile id="31">
   <properties>
    <property name="walkable" type="bool" value="true"/>
   </properties>
  </tile>
  <tile id="32">
   <properties>
    <property name="walkable" type="bool" value="true"/>
   </properties>
  </tile>
  <tile id="33">
   <properties>
    <property name="walkable" type="bool" value="true"/>
   </properties>
  </tile>
  <tile id="34">
   <properties>
    <property name="walkable" type="bool" value="true"/>
   </properties>
  </tile>
  <tile id="35">
   <properties>
    <property name="walkable" type="bool" value="true"/>
   </properties>
  </tile>
  <tile id="36">
   <properties>
    <property name="walkable" type="bool" value="true"/>
   </properties>
  </tile>
  <tile id="37">
   <properties>
    <property name="walkable" type="bool" value="true"/>
   </properties>
  </tile>
  <tile id="38">
   <properties>
    <property name="walkable" type="bool" value="true"/>
   </properties>
  </tile>
  <tile id="39">
   <properties>
    <property name="walkable" type="bool" value="true"/>
   </properties>
  </tile>
  <tile id="40">
   <properties>
    <property name="walkable" type="bool" value="true"/>
   </properties>
  </tile>
  <tile id="41">
   <properties>
    <property name="walkable" type="bool" value="true"/>
   </properties>
  </tile>
  <tile id="42">
   <properties>
    <property name="walkable" type="bool" value="true"/>
   </properties>
  </tile>
  <tile id="43">
   <properties>
    <property name="walkable" type="bool" value="true"/>
   </properties>
  </tile>
  <tile id="44">
   <properties>
    <property name="walkable" type="bool" value="true"/>
   </properties>
  </tile>
  <tile id="45">
   <properties>
    <property name="walkable" type="bool" value="true"/>
   </properties>
  </tile>
  <tile id="46">
   <properties>
    <property name="walkable" type="bool" value="true"/>
   </properties>
  </tile>
  <tile id="47">
   <properties>
    <property name="walkable" type="bool" value="true"/>
   </properties>
  </tile>
  <tile id="48">
   <properties>
    <property name="walkable" type="bool" value="true"/>
   </properties>
  </tile>
  <tile id="49">
   <properties>
    <property name="walkable" type="bool" value="true"/>
   </properties>
  </tile>
</tileset>
